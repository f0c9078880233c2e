#pragma once

#include "pages/qt/section_view.h"

#include <functional>
#include <memory>
#include <vector>

namespace volantra {

class AtomicFileWriter;
class MainPanels;
class MainWindow;
class ProfileStore;

// The main window's panels with every section in its place: the accordion on the right,
// X/Y sensitivity and the button assignment with its marks on the mouse's picture.
struct WindowSections
{
    std::unique_ptr<SectionContext> context;
    std::vector<std::unique_ptr<SectionView>> views;
    std::unique_ptr<MainPanels> panels;
};

struct WindowSectionParts
{
    SectionContext context;
    MainWindow& window;
    ProfileStore& store; // the button labels and the macro file
    AtomicFileWriter& writer;
    SkinLibrary* defaultSkin = nullptr;
};

// Builds the sections and puts them into the window; they redraw it when they change.
WindowSections buildWindowSections(const WindowSectionParts& parts);

} // namespace volantra
