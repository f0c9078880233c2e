#include "app/qt/window_look.h"

#include "app/qt/main_window.h"
#include "app/qt/program_icon.h"
#include "app/qt/user_notices.h"
#include "app/qt/window_fonts.h"
#include "assign/button_picture.h"
#include "common/language_table.h"
#include "model/profile_store.h"
#include "pages/qt/main_panels.h"
#include "skin/qt/skin_library.h"

#include <algorithm>
#include <future>

namespace volantra {
namespace {

// Text colours are bytes; values beyond them are taken as the nearest end, not wrapped.
int colourChannel(int value)
{
    return std::clamp(value, 0, 255);
}

// Everything the window's first picture draws, so none of it is decoded while it draws.
std::vector<std::string> imagesOfFirstPicture()
{
    std::vector<std::string> images = MainWindow::imagesAtRest();
    for (std::string& image : MainPanels::imagesAtRest())
        images.push_back(std::move(image));
    // The window opens on the front view of the mouse, every button mark in its normal look.
    for (std::size_t button = 0; button < ButtonPicture::kButtonCount; ++button)
        images.push_back(ButtonPicture::mark(ButtonPictureView::Front, button, false).image);
    return images;
}

} // namespace

WindowLook::WindowLook(const std::string& dataFolder, const ProfileStore& store)
    : m_skin(std::make_unique<SkinLibrary>(SkinRoot::forProfile(dataFolder, store.skin().path))),
      m_defaultSkin(std::make_unique<SkinLibrary>(SkinRoot::defaultSkin(dataFolder))),
      m_preload(m_skin->startPreload(imagesOfFirstPicture())),
      m_pendingFont(std::async(std::launch::async, windowFont, store.language())),
      m_language(&LanguageTable::forLanguage(store.language()))
{
    const ProfileSkin& skin = store.skin();
    m_textColour =
        QColor(colourChannel(skin.red), colourChannel(skin.green), colourChannel(skin.blue));
}

WindowLook::~WindowLook() = default;

Result<std::unique_ptr<MainWindow>> WindowLook::createWindow(bool trayAvailable,
                                                             UserNotices& notices)
{
    m_skin->finishPreload(m_preload);
    m_font = m_pendingFont.get();
    auto window = std::make_unique<MainWindow>(*m_skin, trayAvailable);
    if (!window->loadBackground()) {
        const QString chosen = QString::fromStdString(m_skin->root().path());
        m_skin->setRoot(m_defaultSkin->root());
        if (!window->loadBackground())
            return Error{Error::Kind::NotFound,
                         m_defaultSkin->root().image(MainWindow::kBackground) +
                             ": the skin's window background is missing, damaged or too small"};
        notices.once("skin", QStringLiteral("%1: the skin cannot draw the window; the default "
                                            "skin is used instead.")
                                 .arg(chosen));
    }
    window->setWindowIcon(programIcon());
    window->setTextStyle(m_textColour, m_font);
    return window;
}

bool WindowLook::usePixelRatio(MainWindow& window, qreal ratio)
{
    if (ratio == m_skin->devicePixelRatio())
        return false;
    m_skin->setDevicePixelRatio(ratio);
    m_defaultSkin->setDevicePixelRatio(ratio);
    // The background was drawable at start; if it no longer is, the old picture stays.
    window.loadBackground();
    return true;
}

void WindowLook::reportProblems(UserNotices& notices)
{
    const QStringList problems = m_skin->takeNewProblems() + m_defaultSkin->takeNewProblems();
    for (const QString& problem : problems)
        notices.once(problem.toStdString(),
                     QStringLiteral("LoadPng---Load image failed.\n%1").arg(problem));
}

} // namespace volantra
