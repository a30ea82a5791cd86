// Handing documents to the system: the one error report that every caller shares when the
// system cannot open something, and the short form of a path that callers hand over for index
// pages.
#pragma once

#include <string>
#include <string_view>

namespace pagehold {

class Interaction;
class ShellLauncher;

// The reason text for a failing open-result code (0 to 32, 2 excepted).
std::string OpenFailureReason(int code);

// The whole error text for a failed hand-over: the reason, then how to open the page by hand.
std::string OpenFailureMessage(int code, std::string_view trimmedPath);

// Hands the path (a file, a folder or a web address, at most 255 characters) to the system,
// without the characters of code 32 or less at either end. A failure is reported once, in an
// error box with an OK button; the file-not-found code is taken as success, silently.
void OpenDocument(const std::string& path, ShellLauncher& shell, Interaction& ui);

// Opens the folder that holds the file in the file manager (the verb "explore"). A failure is
// reported in an error box naming the folder, with the reason text of OpenDocument.
void ExploreFolderOf(const std::string& file, ShellLauncher& shell, Interaction& ui);

// The short form of an existing file's path, or the path unchanged when the system gives none
// (outside Windows there is no short form: the path itself).
std::string ShortPathOf(const std::string& path);

// What callers hand over for an index page: ShortPathOf(page) cut to 255 characters.
std::string IndexPageForOpening(const std::string& page);

}  // namespace pagehold
