// Disk paths: the platform separator and the one way to join path pieces.
#pragma once

#include <string>
#include <string_view>

namespace pagehold {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// True for both slashes: a name holding either must never become a path component.
bool IsPathSeparator(char c);

// folder + separator + name, with exactly one separator between them (none added when the
// folder is empty).
std::string JoinPath(std::string_view folder, std::string_view name);

// The folder with one trailing separator (an empty folder stays empty). A trailing slash or
// backslash already there counts.
std::string WithTrailingSeparator(std::string_view folder);

// Turns the backslashes of a path written for Windows into this platform's separator.
std::string NativeSeparators(std::string_view path);

// The text after the last separator (either slash).
std::string FileNamePart(std::string_view path);

// The text up to and including the last separator (either slash); empty when there is none.
std::string FolderPart(std::string_view path);

// The path made absolute against the working folder and tidied ("a/./b/../c" is "a/c"); the
// path unchanged when the system cannot tell the working folder.
std::string AbsolutePath(const std::string& path);

// True when the path names an existing regular file (or anything that is not a folder).
bool FileExists(const std::string& path);

// The short (8.3) form of an existing path on Windows, from a buffer of 512 characters of which
// at most 511 are used; the path unchanged when the system gives no short form. Other systems
// have no short form: the path itself.
std::string ShortPathForm(const std::string& path);

// The folder of the running program, with a trailing separator.
std::string RunningProgramFolder();

}  // namespace pagehold
