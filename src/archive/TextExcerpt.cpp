#include "archive/TextExcerpt.h"

#include "cache/Text.h"
#include "platform/Files.h"

namespace pagehold {

namespace {

// Only the first characters of a tag are kept: enough to tell a comment ("!--") and a title
// ("title") from the rest.
constexpr std::size_t kTagTextLength = 15;

bool IsWhiteSpace(char c) {
  return c == '\t' || c == '\n' || c == '\r' || c == ' ';
}

class ExcerptReader {
 public:
  explicit ExcerptReader(std::string_view page) : page_(page) {}

  std::string Run() {
    for (;;) {
      CollectText();
      if (excerpt_.size() >= kExcerptLength)
        break;
      // A tag and the end of the page both separate words.
      AddSpace();
      if (last_ != '<')
        break;
      const std::string tag = ReadTag();
      if (StartsWithText(TrimBlanks(tag), "title"))
        SkipTo('<');  // the page title is not part of the excerpt
      if (AtEnd())
        break;
    }
    return excerpt_;
  }

 private:
  bool AtEnd() const { return position_ >= page_.size(); }

  char Next() {
    last_ = page_[position_++];
    return last_;
  }

  // Visible text up to the next "<": white space runs become one space, and white space at the
  // start or right after a tag boundary adds nothing.
  void CollectText() {
    while (last_ != '<' && !AtEnd() && excerpt_.size() < kExcerptLength) {
      const char c = Next();
      if (c == '<')
        break;
      if (IsWhiteSpace(c))
        AddSpace();
      else {
        excerpt_ += c;
        spaceMark_ = false;
      }
    }
  }

  void AddSpace() {
    if (!spaceMark_ && excerpt_.size() < kExcerptLength)
      excerpt_ += ' ';
    spaceMark_ = true;
  }

  // Reads the rest of a tag after its "<", up to and including its ">", and returns its first
  // characters. A comment runs to "-->" instead; when a page never closes its comment, the
  // comment is read as an ordinary tag and no later comment of the page is skipped.
  std::string ReadTag() {
    std::string tag;
    while (!AtEnd()) {
      const char c = Next();
      if (c == '>')
        break;
      if (tag.size() < kTagTextLength)
        tag += c;
      if (c == '-' && tag == "!--" && skipComments_) {
        if (SkipComment())
          break;
      }
    }
    return tag;
  }

  // Reads on until the last three characters read are "-->". At the end of the page without
  // one, goes back to just after the "<!--" and returns false.
  bool SkipComment() {
    const std::size_t afterOpening = position_;
    // The two dashes of "<!--" count towards the closing "-->", so "<!-->" is a whole comment.
    char beforeLast = '-';
    char previous = '-';
    while (!AtEnd()) {
      const char c = Next();
      if (beforeLast == '-' && previous == '-' && c == '>')
        return true;
      beforeLast = previous;
      previous = c;
    }
    skipComments_ = false;
    position_ = afterOpening;
    last_ = '-';
    return false;
  }

  void SkipTo(char wanted) {
    while (!AtEnd() && Next() != wanted) {
    }
  }

  std::string_view page_;
  std::size_t position_ = 0;
  char last_ = 0;
  std::string excerpt_;
  bool spaceMark_ = true;  // set: leading white space is dropped
  bool skipComments_ = true;
};

}  // namespace

std::string ExcerptFromText(std::string_view page) {
  return ExcerptReader(page).Run();
}

Result<std::string> ExtractTextExcerpt(const std::string& path) {
  const Result<std::string> page = ReadWholeFile(path);
  if (!page)
    return page.failure();
  return ExcerptFromText(*page);
}

}  // namespace pagehold
