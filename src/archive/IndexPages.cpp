#include "archive/IndexPages.h"

#include <algorithm>
#include <array>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "archive/ArchiveFile.h"
#include "archive/IndexPagesDate.h"
#include "archive/IndexPagesMarkup.h"
#include "archive/TextExcerpt.h"
#include "archive/Thumbnail.h"
#include "cache/Text.h"
#include "cache/Url.h"
#include "platform/EventPacer.h"
#include "platform/Files.h"
#include "platform/Interaction.h"
#include "platform/Paths.h"
#include "prefs/AppContext.h"

namespace pagehold {

namespace {

constexpr char kTitle[] = "<TITLE>Pagehold - Offline Index</TITLE>";
constexpr char kBody[] = "<BODY BGCOLOR=#FFFFFF LINK=#000099 VLINK=#330066>";
constexpr char kBarTable[] =
    "<TABLE BORDER=1 BGCOLOR=#CCCCCC CELLPADDING=4 CELLSPACING=0 WIDTH=100% HEIGHT=34>";
// Names are cut to this many characters on the lists.
constexpr std::size_t kNameLength = 50;
// Longer addresses are shown as "..." and their last this many characters.
constexpr std::size_t kShownUrlLength = 60;

enum Kind { kText, kImage, kAudio, kVideo, kOther, kKindCount };

struct KindInfo {
  const char* word;          // in ALT and status texts
  const char* pictureStem;   // d, u and g + stem: the pressed, link and greyed buttons
  const char* page;          // the kind's list in the domain folder
  const char* icon;          // the entry icon
  const char* unnamedLabel;  // the entry text when the address names no file
};

constexpr std::array<KindInfo, kKindCount> kKinds = {{
    {"text", "text", "text_index.htm", "text.gif", "No Title"},
    {"image", "Image", "image_index.htm", "image.gif", "Image file"},
    {"audio", "Audio", "audio_index.htm", "audio.gif", "Audio file"},
    {"video", "Video", "video_index.htm", "video.gif", "Video file"},
    {"other", "Other", "other_index.htm", "other.gif", "Other file"},
}};

// The kind of a MIME type name, from its first five characters, letter case included.
Kind KindOfTypeName(std::string_view typeName) {
  const std::string_view head = typeName.substr(0, 5);
  if (head == "text/")
    return kText;
  if (head == "image")
    return kImage;
  if (head == "audio")
    return kAudio;
  if (head == "video")
    return kVideo;
  return kOther;
}

// What the pages show of one archived item.
struct Entry {
  const TCacheItem* item;
  std::string link;  // the address on the web, in its short form
  std::string file;  // type folder + "/" + FileName, relative to the domain folder
  std::string name;  // the last part of the address, at most 50 characters; may be empty
  std::string path;  // the archived file on disk
};

using KindLists = std::array<std::vector<Entry>, kKindCount>;

// An open page. The first failure to create or write it is kept (later writes do nothing) and
// reported by Close, which ends the index build. Every line written gives pending events their
// chance to run.
class PageFile {
 public:
  PageFile(const std::string& path, EventPacer& pacer) : pacer_(pacer) {
    Result<FileHandle> file = FileHandle::Open(path, "wb");
    if (file)
      file_ = std::move(*file);
    else
      status_ = file.failure();
  }

  // False once creating or writing the page failed.
  bool ok() const { return status_.ok(); }
  const Status& status() const { return status_; }

  void Line(std::string_view text) {
    Piece(text);
    Piece("\r\n");
    pacer_.Tick();
  }

  void Piece(std::string_view text) {
    if (status_)
      status_ = file_.Write(text);
  }

  Status Close() {
    if (status_)
      status_ = file_.Close();
    return status_;
  }

 private:
  EventPacer& pacer_;
  FileHandle file_;
  Status status_;
};

Status WriteLines(const std::string& path, EventPacer& pacer,
                  std::initializer_list<std::string_view> lines) {
  PageFile page(path, pacer);
  for (const std::string_view line : lines)
    page.Line(line);
  return page.Close();
}

Status WriteEntryPage(const std::string& root, EventPacer& pacer) {
  return WriteLines(
      root + "1st_page.htm", pacer,
      {"<HTML>", "<HEAD>", kTitle, "</HEAD>", "<FRAMESET COLS=30%,*>",
       "<FRAME SRC=indlist.htm NAME=DOMAINS MARGINWIDTH=0>",
       "<FRAME SRC=indpage.htm NAME=FILES MARGINWIDTH=0>", "</FRAMESET>", "<NOFRAMES>",
       "The Pagehold index page is located <A HREF=indlist.htm>here</A>", "</NOFRAMES>",
       "</HTML>"});
}

Status WriteNotFoundPage(const std::string& root, EventPacer& pacer) {
  return WriteLines(root + "notfound.htm", pacer,
                    {"<HTML>", "<HEAD>", kTitle, "</HEAD>", kBody, "<FONT SIZE=5 FACE=ARIAL>",
                     "<HR><BR>", "<CENTER>", "This page is not available.<BR><BR>", "<FONT SIZE=4>",
                     "Use the browser back button to<BR>", "return to the previous page.",
                     "</FONT>", "</CENTER>", "<BR><HR>", "</FONT>", "</BODY>", "</HTML>"});
}

std::string LegendRow(const char* picture, const char* size, const char* label) {
  return std::string("<TR><TD ALIGN=RIGHT HEIGHT=30><IMG ") + size + " SRC=images/" + picture +
         "></TD>\r\n<TD><FONT SIZE=3 FACE=ARIAL>&nbsp;" + label + "</FONT></TD></TR>";
}

Status WriteLegendPage(const std::string& root, EventPacer& pacer) {
  const char* icon = "WIDTH=20 HEIGHT=18";
  const std::string rows[] = {
      LegendRow("lfolder.gif", "WIDTH=38 HEIGHT=18 ALIGN=ABSMIDDLE", "Domain item"),
      LegendRow("text.gif", icon, "Text file"),
      LegendRow("image.gif", icon, "Image file"),
      LegendRow("audio.gif", icon, "Audio file"),
      LegendRow("video.gif", icon, "Video file"),
      LegendRow("other.gif", icon, "Other file")};
  return WriteLines(
      root + "indpage.htm", pacer,
      {"<HTML>", "<BODY BGCOLOR=#FFFFFF LINK=#000099 VLINK=#330066><CENTER>",
       "<BR><IMG WIDTH=275 HEIGHT=70 SRC=images/Pagehold.gif>", "<BR>",
       "<TABLE BORDER=0 CELLPADDING=0 CELLSPACING=0>", "<TR><TD ALIGN=RIGHT HEIGHT=10>&nbsp</TD>",
       rows[0], rows[1], rows[2], rows[3], rows[4], rows[5], "</TABLE><BR>",
       "<IMG WIDTH=197 HEIGHT=74 SRC=images/CorvaneLogo.gif><BR>",
       "<FONT SIZE=2 FACE=ARIAL>Pagehold is made by Corvane. All rights reserved.</FONT>",
       "</CENTER></BODY></HTML>"});
}

Status WriteDomainList(const std::string& root, const std::vector<std::string>& domains,
                       std::string_view creationDate, EventPacer& pacer) {
  PageFile page(root + "indlist.htm", pacer);
  page.Line("<HTML><HEAD><BASE TARGET=FILES>");
  page.Line("<TITLE>Pagehold - Offline Index</TITLE></HEAD>");
  page.Line(kBody);
  page.Line(kBarTable);
  page.Line(std::string("<TR><TD><NOBR><FONT SIZE=2 FACE=ARIAL>&nbsp;&nbsp;Index created - ") +
            std::string(creationDate) + "</FONT></NOBR></TD></TR></TABLE>");
  page.Line("<B><FONT SIZE=2 FACE=ARIAL>");
  page.Line("<NOBR><IMG BORDER=0 ALIGN=TOP SRC=images/ofolder.gif>Domains</NOBR><BR>");
  for (std::size_t i = 0; i < domains.size(); ++i) {
    const char* picture = i + 1 == domains.size() ? "lfolder.gif" : "folder.gif";
    page.Line("<NOBR><A HREF=" + domains[i] + "/text_index.htm>" +
              "<IMG WIDTH=38 HEIGHT=18 BORDER=0 ALIGN=TOP SRC=images/" + picture + ">" +
              domains[i] + "</A></NOBR><BR>");
  }
  page.Line("<BR><BR>");
  page.Line("</FONT></B></BODY></HTML>");
  return page.Close();
}

// One of the five buttons of the header bar.
std::string Button(Kind kind, std::size_t count, bool pressed) {
  const KindInfo& info = kKinds[kind];
  const std::string alt =
      std::string("ALT=\"") + std::to_string(count) + " " + info.word + " files\" SRC=../images/";
  if (pressed)
    return "<IMG ALIGN=ABSMIDDLE " + alt + "d" + info.pictureStem + ".gif>";
  if (count == 0)
    return std::string("<IMG ALIGN=ABSMIDDLE SRC=../images/g") + info.pictureStem + ".gif>";
  return std::string("<A HREF=") + info.page + " onMouseOver=\"window.status='List " + info.word +
         " files';return true\" TARGET=FILES><IMG BORDER=0 ALIGN=ABSMIDDLE " + alt + "u" +
         info.pictureStem + ".gif></A>";
}

// The bar at the top of every per-domain page that lists something; pressedKind is kKindCount
// on the thumbnail page, where no button is pressed.
void WriteHeaderBar(PageFile& page, const std::string& domain, const KindLists& lists,
                    int pressedKind) {
  page.Line("<HTML><HEAD><BASE TARGET=\"_top\"></HEAD>");
  page.Line(kBody);
  page.Line(kBarTable);
  page.Line("<TR><TD><NOBR>&nbsp;");
  for (int kind = 0; kind < kKindCount; ++kind)
    page.Piece(Button(static_cast<Kind>(kind), lists[kind].size(), kind == pressedKind));
  page.Line("<FONT SIZE=2 FACE=ARIAL>&nbsp;&nbsp;Exploring " + domain + "</FONT>");
  page.Line("</TD></TR></TABLE>");
  page.Line("<B><FONT SIZE=2 FACE=ARIAL>");
}

// The page of an empty list sends the browser on to the next kind's list.
void WriteForwardingPage(PageFile& page, Kind next) {
  page.Line("<HTML>");
  page.Line("<HEAD>");
  page.Line(std::string("<META HTTP-EQUIV=REFRESH CONTENT=\"0; URL=") + kKinds[next].page + "\">");
  page.Line("</HEAD>");
  page.Line("</HTML>");
}

// The address as shown under a title: whole up to 60 characters, else its end.
std::string ShownUrl(const std::string& link) {
  if (link.size() <= kShownUrlLength)
    return link;
  return "..." + link.substr(link.size() - kShownUrlLength);
}

// The excerpt of an archived page: the one known, else the one read from the file.
Result<std::string> Excerpt(const std::string& path, const KnownExcerpts& known) {
  if (const auto found = known.find(path); found != known.end())
    return found->second;
  return ExtractTextExcerpt(path);
}

// excerpts: those known, for a detailed list; none for a short one.
void WriteTextEntry(PageFile& page, const Entry& entry, const KnownExcerpts* excerpts) {
  const std::string& title = !entry.item->Title.empty()
                                 ? entry.item->Title
                                 : (!entry.name.empty() ? entry.name : kKinds[kText].unnamedLabel);
  const std::string link = MarkupUrl(entry.link);
  page.Line("<TR><TD VALIGN=TOP><A HREF=" + link +
            "><IMG BORDER=0 WIDTH=20 HEIGHT=18 ALIGN=TOP SRC=../images/text.gif></A></TD>" +
            "<TD><FONT SIZE=2 FACE=ARIAL><A HREF=" + MarkupUrl(entry.file) + "><B>" +
            EscapeMarkup(title) + "</B></A><BR>");
  if (excerpts != nullptr) {
    // A page whose excerpt cannot be read loses the rest of its entry; the list goes on.
    const Result<std::string> excerpt = Excerpt(entry.path, *excerpts);
    if (!excerpt)
      return;
    if (!excerpt->empty())
      page.Line(EscapeMarkup(*excerpt) + "...<BR>");
    page.Line("<FONT SIZE=1><A HREF=" + link + ">" + EscapeMarkup(ShownUrl(entry.link)) +
              "</A><BR>&nbsp;</FONT>");
  }
  page.Line("</FONT></TD></TR>");
}

void WriteTextList(PageFile& page, const std::string& domain, const KindLists& lists,
                   const KnownExcerpts* excerpts) {
  WriteHeaderBar(page, domain, lists, kText);
  page.Piece("<TABLE BORDER=0 CELLPADDING=0 CELLSPACING=0>");
  for (const Entry& entry : lists[kText])
    WriteTextEntry(page, entry, excerpts);
  page.Line("</TABLE>");
  page.Line("</BODY></HTML>");
}

std::string NameOrLabel(const Entry& entry, Kind kind) {
  return entry.name.empty() ? kKinds[kind].unnamedLabel : EscapeMarkup(entry.name);
}

// The image, audio, video and other lists: one line per entry.
void WriteFileList(PageFile& page, const std::string& domain, const KindLists& lists, Kind kind) {
  WriteHeaderBar(page, domain, lists, kind);
  const std::vector<Entry>& entries = lists[kind];
  if (kind == kImage) {
    page.Line(std::string("<NOBR><A HREF=thumbnail_index.htm TARGET=FILES>") +
              "<IMG BORDER=0 ALIGN=TOP SRC=../images/image.gif>" + "Thumbnail Index (" +
              std::to_string(entries.size()) + " image" + (entries.size() > 1 ? "s" : "") +
              ")</A></NOBR><BR>");
  }
  for (const Entry& entry : entries) {
    page.Line("<NOBR><A HREF=" + MarkupUrl(entry.link) + "><IMG BORDER=0 ALIGN=TOP SRC=../images/" +
              kKinds[kind].icon + "></A>" + "<A HREF=" + MarkupUrl(entry.file) + ">" +
              NameOrLabel(entry, kind) + "</A></NOBR><BR>");
  }
  page.Line("<BR><BR>");
  page.Line("</BODY></HTML>");
}

void WriteThumbnailList(PageFile& page, const std::string& domain, const KindLists& lists) {
  WriteHeaderBar(page, domain, lists, kKindCount);
  for (const Entry& entry : lists[kImage]) {
    const std::optional<Thumbnail> size = ThumbnailSize(entry.path);
    if (!size)
      continue;  // a picture whose size cannot be read is left out
    const std::string file = MarkupUrl(entry.file);
    page.Line("<A HREF=" + file + " onMouseOver=\"window.status='" + ScriptStringText(entry.link) +
              "';return true\"><IMG " + "WIDTH=" + std::to_string(size->shown.width) +
              " HEIGHT=" + std::to_string(size->shown.height) +
              " HSPACE=5 VSPACE=5 BORDER=1 ALIGN=MIDDLE SRC=" + file + " ALT=\"" +
              NameOrLabel(entry, kImage) + " (" + std::to_string(size->original.width) + "x" +
              std::to_string(size->original.height) + ")\"></A>");
  }
  page.Line("</BODY></HTML>");
}

// The six pages of one domain. Each file is created before its content is decided.
Status WriteDomainPages(const std::string& root, const std::string& domain, const KindLists& lists,
                        const KnownExcerpts* excerpts, EventPacer& pacer) {
  const std::string folder = JoinPath(root, domain);
  for (int kind = 0; kind < kKindCount; ++kind) {
    PageFile page(JoinPath(folder, kKinds[kind].page), pacer);
    if (!page.ok())
      return page.status();
    if (!lists[kind].empty()) {
      if (kind == kText)
        WriteTextList(page, domain, lists, excerpts);
      else
        WriteFileList(page, domain, lists, static_cast<Kind>(kind));
    } else if (kind != kOther) {
      WriteForwardingPage(page, static_cast<Kind>(kind + 1));
    }
    if (Status closed = page.Close(); !closed)
      return closed;
  }
  PageFile thumbnails(JoinPath(folder, "thumbnail_index.htm"), pacer);
  if (thumbnails.ok() && !lists[kImage].empty())
    WriteThumbnailList(thumbnails, domain, lists);
  return thumbnails.Close();
}

// The archived file of a record, or nothing when its Domain, type folder or FileName could point
// outside its folder: such a record gets no entry, and its domain no pages.
std::optional<std::string> ListedFile(const AppContext& context, const std::string& root,
                                      const TCacheItem& record) {
  return ArchivedFilePath(root, record.Domain, context.mimeTable.MimeTypeFolder(record.MimeIndex),
                          record.FileName);
}

// The distinct domains of the items that can be listed, sorted without regard to letter case;
// of domains that differ only in case the first met stays.
std::vector<std::string> DomainList(const AppContext& context, const ArchiveList& archive,
                                    EventPacer& pacer) {
  std::vector<std::string> domains;
  std::unordered_set<std::string> seen;
  for (const auto& record : archive.Items()) {
    pacer.Tick();
    if (ListedFile(context, "", *record) && seen.insert(LowerCase(record->Domain)).second)
      domains.push_back(record->Domain);
  }
  std::stable_sort(domains.begin(), domains.end(), [](const std::string& a, const std::string& b) {
    return CompareText(a, b) < 0;
  });
  return domains;
}

// Sorts every item into the lists of its domain (exact comparison) and kind, keeping the
// archive's order within each list. One walk serves every domain.
std::unordered_map<std::string, KindLists> ClassifyByDomain(const AppContext& context,
                                                            const std::string& root,
                                                            const ArchiveList& archive,
                                                            EventPacer& pacer) {
  std::unordered_map<std::string, KindLists> byDomain;
  for (const auto& record : archive.Items()) {
    pacer.Tick();
    const auto path = ListedFile(context, root, *record);
    if (!path)
      continue;
    const std::string typeFolder = context.mimeTable.MimeTypeFolder(record->MimeIndex);
    Entry entry{record.get(), NormalizeUrl(record->Url, UrlForm::Key),
                typeFolder + "/" + FileNameInLink(record->FileName), "", *path};
    entry.name = UrlFileName(entry.link).substr(0, kNameLength);
    const Kind kind = KindOfTypeName(context.mimeTable.MimeTypeName(record->MimeIndex));
    byDomain[record->Domain][kind].push_back(std::move(entry));
  }
  return byDomain;
}

void ShowProgress(Interaction& interaction, EventPacer& pacer, int percent) {
  interaction.ShowProgress(percent);
  interaction.ProcessPendingEvents();
  pacer.Ran();
}

}  // namespace

Status BuildIndexPages(const AppContext& context, const std::string& archiveFolder,
                       const ArchiveList& archive, Interaction& interaction,
                       const KnownExcerpts& known) {
  return BuildIndexPages(context, archiveFolder, archive, interaction, TodayShortDate(), known);
}

Status BuildIndexPages(const AppContext& context, const std::string& archiveFolder,
                       const ArchiveList& archive, Interaction& interaction,
                       std::string_view creationDate, const KnownExcerpts& known) {
  const std::string root = WithTrailingSeparator(archiveFolder);
  EventPacer pacer(interaction);
  if (Status removed = RemoveFile(root + "1st_page.htm"); !removed)
    return removed;

  const std::vector<std::string> domains = DomainList(context, archive, pacer);
  if (domains.empty())
    return {};
  for (const auto write : {WriteEntryPage, WriteNotFoundPage, WriteLegendPage}) {
    if (Status written = write(root, pacer); !written)
      return written;
  }
  if (Status written = WriteDomainList(root, domains, creationDate, pacer); !written)
    return written;

  const auto byDomain = ClassifyByDomain(context, root, archive, pacer);
  const KindLists noEntries;
  interaction.ShowStatus("Indexing...");
  ShowProgress(interaction, pacer, 0);
  for (std::size_t i = 0; i < domains.size(); ++i) {
    ShowProgress(interaction, pacer,
                 domains.size() == 1 ? 100 : static_cast<int>(i * 100 / (domains.size() - 1)));
    const auto found = byDomain.find(domains[i]);
    Status written =
        WriteDomainPages(root, domains[i], found == byDomain.end() ? noEntries : found->second,
                         context.settings.DetailedIndexFlag ? &known : nullptr, pacer);
    if (!written)
      return written;
  }
  return {};
}

}  // namespace pagehold
