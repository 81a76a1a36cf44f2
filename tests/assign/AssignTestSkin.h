#pragma once
// A temporary skin tree with the two text files the assignment code reads, and a temporary macro
// folder. Restores the real skin afterwards.

#include <filesystem>
#include <string>

#include "macro/MacroStore.h"
#include "skin/SkinPaths.h"
#include "support/TempFolder.h"

namespace qor::test {

class AssignTestSkin {
public:
    AssignTestSkin()
    {
        std::filesystem::create_directories(root_ + "skin/strings");
        std::filesystem::create_directories(root_ + "MacroDB");
        std::string general = "[FUNCTION_STRING]\r\n";
        for (int code = 1; code <= 16; ++code)
            general += std::to_string(code) + "=Function " + std::to_string(code) + "\r\n";
        general += "100=Macro\r\n[BASIC]\r\n1=Basic 1\r\n8=Basic 8\r\n[ADVANCED]\r\n7=Advanced 7\r\n"
                   "[MEDIA]\r\n1=Media 1\r\n[DPI]\r\n2=DPI 2\r\n[RATE]\r\n2=Rate 2\r\n"
                   "[SCROLL]\r\n1=Scroll 1\r\n3=Scroll 3\r\n4=Scroll 4\r\n";
        Write("skin/strings/general.ini", general);
        Write("skin/strings/skins.ini",
              "[WARNING]\r\n1=Warning\r\n2=Keep a left click\r\n"
              "[SINGLEKEY]\r\n1=Press a key\r\n3=Combination\r\n4=Hold the keys\r\n7=Fire key\r\n");
        SetSkinRoot(root_ + "skin/");
    }
    ~AssignTestSkin() { SetSkinRoot(""); }
    AssignTestSkin(const AssignTestSkin&) = delete;
    AssignTestSkin& operator=(const AssignTestSkin&) = delete;

    void Write(const std::string& relative, const std::string& bytes) const
    {
        WriteAll(root_ + relative, bytes);
    }
    MacroStore Macros() const { return MacroStore(root_ + "MacroDB/", root_ + "MacroDB/MacroSet.QORDB"); }

private:
    TempFolder folder_{"qor-assign"};
    std::string root_ = folder_.Root().empty() ? std::string() : folder_.Slash();
};

} // namespace qor::test
