// The folders of the person running the program: the home folder, and the base folders that
// the XDG variables name.
#pragma once

#include <string>
#include <string_view>

namespace pagehold {

// True for an environment value that is set and not empty.
bool IsSetVariable(const char* value);

// A base folder named by an XDG variable: its value when that is an absolute path (an unset,
// empty or relative value is to be ignored), else the home folder joined with fallback.
std::string XdgBaseFolder(const char* value, const char* home, std::string_view fallback);

// $HOME, or the account's home folder when HOME is unset or empty; empty when neither is known.
std::string HomeFolder();

// $XDG_DATA_HOME/pagehold/ over given environment values (a null pointer is an unset
// variable), with ~/.local/share in place of an unset, empty or relative XDG_DATA_HOME; with a
// trailing separator.
std::string UserDataFolderFrom(const char* dataHome, const char* home);

}  // namespace pagehold
