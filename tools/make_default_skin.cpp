// Paints the default skin into <data folder>/Skins/Default, and a contact sheet of it for
// review; the build runs it and installs the skin with the other default data.
#include "tools/build_file_writer.h"
#include "tools/default_skin.h"

#include <QGuiApplication>
#include <filesystem>
#include <iostream>
#include <stdexcept>

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: make_default_skin DATA_FOLDER [CONTACT_SHEET.png]\n"
                     "  The contact sheet defaults to DATA_FOLDER/skin-contact-sheet.png.\n";
        return 2;
    }
    // No display is needed: the fonts come from the offscreen platform.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const std::string folder = argv[1];
    const std::string sheet =
        argc == 3 ? std::string(argv[2])
                  : (std::filesystem::path(folder) / "skin-contact-sheet.png").string();
    volantra::BuildFileWriter writer;
    try {
        if (volantra::Status written = volantra::DefaultSkin::write(folder, sheet, writer);
            !written) {
            std::cerr << "make_default_skin: " << written.error().message << "\n";
            return 1;
        }
    } catch (const std::logic_error& mistake) {
        std::cerr << "make_default_skin: " << mistake.what() << "\n";
        return 1;
    }
    return 0;
}
