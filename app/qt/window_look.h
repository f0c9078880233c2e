#pragma once

#include "common/result.h"
#include "skin/qt/skin_library.h"

#include <QColor>
#include <QFont>
#include <future>
#include <memory>
#include <string>

namespace volantra {

class LanguageTable;
class MainWindow;
class ProfileStore;
class UserNotices;

// How the window looks for the profile it starts with: its skin (with the default skin
// behind it), the text colour and font, and the language of its texts.
class WindowLook
{
public:
    // Starts decoding every image of the window's first picture and fitting the font on
    // other threads; createWindow() waits for them.
    WindowLook(const std::string& dataFolder, const ProfileStore& store);
    ~WindowLook();

    // The main window drawn with the skin, else with the default skin (told once); an
    // error when neither can draw it. Called once, before font().
    Result<std::unique_ptr<MainWindow>> createWindow(bool trayAvailable, UserNotices& notices);
    // Images that could not be drawn, once each; after a paint, never from inside it.
    void reportProblems(UserNotices& notices);
    // Gives `window` the images of another screen density (1× or "@2x"), read again when
    // next drawn; false when it had them already.
    bool usePixelRatio(MainWindow& window, qreal ratio);

    SkinLibrary& skin() { return *m_skin; }
    SkinLibrary* defaultSkin() { return m_defaultSkin.get(); }
    QColor textColour() const { return m_textColour; }
    const QFont& font() const { return m_font; }
    const LanguageTable& language() const { return *m_language; }

private:
    std::unique_ptr<SkinLibrary> m_skin;
    std::unique_ptr<SkinLibrary> m_defaultSkin;
    SkinLibrary::Preload m_preload;
    std::future<QFont> m_pendingFont;
    const LanguageTable* m_language = nullptr;
    QColor m_textColour;
    QFont m_font;
};

} // namespace volantra
