#pragma once
// Refusing a PC name made from a host name or a typed name before anything
// is written (see u2200/PcNameRule.h for what a PC name may be).

#include <initializer_list>
#include <string>

namespace morvanta {
class MainForm;
}

namespace morvanta::transfer {

// Told when a name cannot be a PC file or folder name; the name follows.
inline constexpr char16_t kUnsafePcNameMessage[] =
    u"PCのファイル名・フォルダ名にできない名前です: ";

// True when every name is one safe path component; otherwise tells the user
// the first one that is not, control characters made visible, and returns
// false.
bool acceptPcNames(MainForm& form, std::initializer_list<const std::u16string*> names);

}  // namespace morvanta::transfer
