#include "gui/ResultList.h"

#include "gui/Accessibility.h"
#include "gui/WxText.h"
#include "platform/Paths.h"
#include "search/ResultSort.h"

namespace pagehold {

namespace {

// The pictures in the order of ResultIcon.
constexpr std::array<const char*, 5> kIconNames = {"text", "image", "audio", "video", "other"};

enum Column : unsigned { kUrlColumn = 0, kFileColumn = 1 };

}  // namespace

ResultListModel::ResultListModel(const std::string& dataFolder) : wxDataViewVirtualListModel(0) {
  for (std::size_t i = 0; i < kIconNames.size(); ++i) {
    const wxString path = ToWx(JoinPath(JoinPath(dataFolder, "images"), kIconNames[i]) + ".gif");
    wxBitmap picture;
    if (wxFileExists(path) && picture.LoadFile(path, wxBITMAP_TYPE_GIF))
      icons_[i] = wxBitmapBundle(picture);
  }
}

void ResultListModel::Append(SearchResult row) {
  rows_.push_back(std::move(row));
  RowAppended();
}

void ResultListModel::Clear() {
  rows_.clear();
  Reset(0);
}

void ResultListModel::Assign(std::vector<SearchResult> rows) {
  rows_ = std::move(rows);
  Reset(static_cast<unsigned>(rows_.size()));
}

void ResultListModel::SortByAddress(const std::locale& collation) {
  SortByUrl(rows_, collation);
  Reset(static_cast<unsigned>(rows_.size()));
}

const SearchResult* ResultListModel::RowAt(const wxDataViewItem& item) const {
  if (!item.IsOk())
    return nullptr;
  const unsigned row = GetRow(item);
  return row < rows_.size() ? &rows_[row] : nullptr;
}

void ResultListModel::GetValueByRow(wxVariant& value, unsigned row, unsigned column) const {
  if (row >= rows_.size())
    return;
  const SearchResult& result = rows_[row];
  if (column == kUrlColumn) {
    value << wxDataViewIconText(ToWx(result.Url), icons_[static_cast<int>(result.Icon)]);
  } else {
    value = ToWx(result.ArchiveFile);
  }
}

wxDataViewCtrl* CreateResultList(wxWindow* parent, ResultListModel* model, long style,
                                 const wxString& name) {
  auto* list = new wxDataViewCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                  style | wxDV_ROW_LINES);
  list->AssociateModel(model);
  list->AppendIconTextColumn("URL", kUrlColumn, wxDATAVIEW_CELL_INERT, DesignPixels(parent, 330),
                             wxALIGN_NOT, wxDATAVIEW_COL_RESIZABLE);
  list->AppendTextColumn("Archive File", kFileColumn, wxDATAVIEW_CELL_INERT,
                         DesignPixels(parent, 260), wxALIGN_NOT, wxDATAVIEW_COL_RESIZABLE);
  SetAccessibleName(list, name);
  return list;
}

int DesignPixels(const wxWindow* window, int designed) {
  return window->FromDIP(designed);
}

}  // namespace pagehold
