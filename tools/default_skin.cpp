#include "tools/default_skin.h"

#include "tools/contact_sheet.h"
#include "tools/dialog_art.h"
#include "tools/main_window_art.h"
#include "tools/mouse_art.h"
#include "tools/section_art.h"
#include "tools/skin_painter.h"

#include <filesystem>

namespace volantra {

SkinImageSet DefaultSkin::paint(int ratio)
{
    const SkinPainter::Scale scale(ratio);
    SkinImageSet images;
    MainWindowArt::paint(images);
    SectionArt::paint(images);
    MouseArt::paint(images); // on the middle panel of MainWindowArt
    DialogArt::paint(images);
    return images;
}

Status DefaultSkin::write(const std::string& dataFolder, const std::string& contactSheet,
                          AtomicFileWriter& writer)
{
    const SkinImageSet images = paint();
    const std::filesystem::path skinFolder = std::filesystem::path(dataFolder) / "Skins" / kName;
    if (Status written = images.writeTo(skinFolder.string(), writer); !written)
        return written;
    if (Status written = paint(2).writeTo(skinFolder.string(), writer, QStringLiteral("@2x"));
        !written)
        return written;
    if (contactSheet.empty())
        return {};
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(contactSheet).parent_path(), error);
    // The sheet is for people, not for the program: a fast, light compression will do.
    const QByteArray png = SkinImageSet::encodePng(ContactSheet::render(images), 1);
    if (png.isEmpty())
        return Error{Error::Kind::Io, contactSheet + ": cannot encode the contact sheet"};
    const auto* data = reinterpret_cast<const std::uint8_t*>(png.constData());
    return writer.writeFile(contactSheet, {data, data + png.size()});
}

} // namespace volantra
