// skingen OUTDIR: draws the skin images into OUTDIR (which must exist).
// Run by the build; the skins name these files.
#include "Images.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: skingen OUTDIR\n");
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/";
    struct Output {
        const char* name;
        skingen::Canvas (*draw)();
    };
    const Output outputs[] = {
        {"Default_Shadow.png", skingen::DrawShadow},          {"MsgBoxIcon.png", skingen::DrawMsgBoxIcons},
        {"Default_Checkbox.png", skingen::DrawCheckbox},      {"Default_Radio.png", skingen::DrawRadio},
        {"TitleBtnClose.png", skingen::DrawTitleButtonClose}, {"TitleBtnMin.png", skingen::DrawTitleButtonMin},
    };
    for (const Output& output : outputs) {
        if (!output.draw().WritePng(dir + output.name)) {
            std::fprintf(stderr, "skingen: cannot write %s%s\n", dir.c_str(), output.name);
            return 1;
        }
    }
    return 0;
}
