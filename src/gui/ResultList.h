// The list of archive entries that the search and delete-from-archive windows show: one row per
// entry with the entry's picture and address in the first column and the archived copy's path
// in the second. The rows live in a model the list reads on demand, so a search that finds tens
// of thousands of entries adds rows without copying them into the control; the toolkit's native
// tree view under it lets a screen reader read every row.
#pragma once

#include <wx/bmpbndl.h>
#include <wx/dataview.h>

#include <array>
#include <locale>
#include <string>
#include <vector>

#include "search/ArchiveSearch.h"

namespace pagehold {

class ResultListModel : public wxDataViewVirtualListModel {
 public:
  // The pictures are the index pictures of the data folder (text, image, audio, video, other).
  explicit ResultListModel(const std::string& dataFolder);

  void Append(SearchResult row);
  void Clear();
  // Puts these rows in place of those shown.
  void Assign(std::vector<SearchResult> rows);
  // Puts the rows in ascending order of their address (see SortByUrl).
  void SortByAddress(const std::locale& collation);
  const std::vector<SearchResult>& Rows() const { return rows_; }
  // The row of an item of the list, or nothing for no item.
  const SearchResult* RowAt(const wxDataViewItem& item) const;

  // wxDataViewVirtualListModel
  void GetValueByRow(wxVariant& value, unsigned row, unsigned column) const override;
  bool SetValueByRow(const wxVariant&, unsigned, unsigned) override { return false; }

 private:
  std::vector<SearchResult> rows_;
  std::array<wxBitmapBundle, 5> icons_;
};

// A list over the model with the columns "URL" and "Archive File"; style adds wxDV_MULTIPLE
// where several rows may be chosen. name is what a screen reader calls the list.
wxDataViewCtrl* CreateResultList(wxWindow* parent, ResultListModel* model, long style,
                                 const wxString& name);

// A length of the windows' design in pixels of this screen. The design was made at 120 pixels
// per inch with a font of about the size that the toolkit's own font has at 96, so a design
// pixel is taken as one device-independent pixel: the text fits the places it was given.
int DesignPixels(const wxWindow* window, int designed);

}  // namespace pagehold
