// Page titles, found by a forgiving byte-by-byte scan rather than a parser.
//
// The scan jumps from "<" to "<" and reads each tag up to its ">", keeping only the first 15
// bytes: enough to recognise "title" after some blanks. The first tag whose trimmed text begins
// with "title" (any case; a closing tag does not, a "titlebar" tag does) starts the title, which
// runs to the next "<" and is cut at 100 characters.
//
// Comments ("<!--" ... "-->") are skipped whole, so a title inside one is not taken. When a
// comment is never closed, the scan goes back to just after its "<!--" and treats it as an
// ordinary tag ending at the next ">"; comment skipping is then switched off for the rest of the
// page, because no later comment can find a "-->" either, and searching again for every one of
// them would make a page full of unclosed comments cost quadratic time.
#include "cache/HtmlScan.h"

#include "cache/Text.h"
#include "platform/Files.h"

namespace pagehold {
namespace {

constexpr std::size_t kTagTextLimit = 15;
constexpr std::size_t kTitleLimit = 100;

class TitleScanner {
 public:
  explicit TitleScanner(std::string_view page) : page_(page) {}

  std::string Run() {
    while (SkipPastTagStart()) {
      if (StartsWithText(TrimBlanks(ReadTagText()), "title"))
        return TrimBlanks(ReadTitleText());
    }
    return {};
  }

 private:
  bool AtEnd() const { return position_ >= page_.size(); }
  char Next() { return page_[position_++]; }

  // Moves past the next "<"; false when there is none.
  bool SkipPastTagStart() {
    while (!AtEnd()) {
      if (Next() == '<')
        return true;
    }
    return false;
  }

  // Reads a tag up to and including its ">" and returns its first 15 bytes. A comment is
  // skipped whole and counts as a tag that has ended.
  std::string ReadTagText() {
    std::string text;
    while (!AtEnd()) {
      const char c = Next();
      if (text.size() < kTagTextLimit)
        text.push_back(c);
      if (c == '-' && text == "!--" && commentSkipping_ && SkipComment())
        break;
      if (c == '>')
        break;
    }
    return text;
  }

  // Called just after "<!--": moves past the closing "-->" and returns true, or, when the page
  // has none, goes back to where the comment's text began, switches comment skipping off and
  // returns false so that the comment is read as an ordinary tag.
  bool SkipComment() {
    const std::size_t commentStart = position_;
    std::string lastThree;
    while (!AtEnd()) {
      lastThree.push_back(Next());
      if (lastThree.size() > 3)
        lastThree.erase(0, 1);
      if (lastThree == "-->")
        return true;
    }
    commentSkipping_ = false;
    position_ = commentStart;
    return false;
  }

  // The text after a title tag up to the next "<" (not taken), at most 100 bytes. Control
  // bytes (tab, line ends, codes up to 13) are dropped, not replaced: a title broken over two
  // lines comes out joined.
  std::string ReadTitleText() {
    std::string title;
    while (!AtEnd() && title.size() < kTitleLimit && page_[position_] != '<') {
      const char c = Next();
      if (static_cast<unsigned char>(c) > 13)
        title.push_back(c);
    }
    return title;
  }

  std::string_view page_;
  std::size_t position_ = 0;
  bool commentSkipping_ = true;
};

}  // namespace

std::string ExtractTitleFromBytes(std::string_view page) {
  return TitleScanner(page).Run();
}

std::string ExtractTitle(const std::string& path) {
  const Result<std::string> page = ReadWholeFile(path);
  return page ? ExtractTitleFromBytes(*page) : std::string();
}

}  // namespace pagehold
