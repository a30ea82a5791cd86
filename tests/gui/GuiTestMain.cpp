// The window tests run inside a real application object on a real (or virtual) display.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/image.h>

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  wxApp::SetInstance(new wxApp);
  if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
    fprintf(stderr, "no display for the window tests\n");
    return 1;
  }
  wxInitAllImageHandlers();
  const int status = RUN_ALL_TESTS();
  wxTheApp->OnExit();
  wxEntryCleanup();
  return status;
}
