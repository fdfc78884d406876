// What the frame and the navigators call on the three project views; each view
// implements its interface and registers with the frame core.
#pragma once

#include <string>

namespace orv {

// The display editor: its 32 edit rows over the current text.
class IViewDc {
public:
    virtual ~IViewDc() = default;
    // Writes the edit rows back into the text they came from.
    virtual void SavTxtRows() = 0;
    // Fills the edit rows again from the current text.
    virtual void RstTxtRows() = 0;
    // Drops the rows without writing them, before the text they came from goes.
    virtual void Unload() = 0;
    virtual void SetPage(int page) = 0;
    // Redraws the parts named by the bit mask.
    virtual void RedrawParts(int parts) = 0;
    virtual void CaretHome() = 0;
    virtual void CopyCurTxt() = 0;
    virtual void InsChrAtCaret(int code) = 0;
};

// The list view with its seven list content providers.
class IViewLst {
public:
    // List modes, one provider each.
    enum ListMode : int {
        kModeVars = 0,
        kModeTexts = 1,
        kModeMenuNodes = 2,
        kModeSkActions = 3,
        kModeSkTexts = 4,
        kModePlcArea = 5,
        kModeChars = 6,
    };
    // Display styles, as the style buttons number them.
    enum ListStyle : int { kStyleIcon = 0, kStyleSmallIcon = 1, kStyleList = 2, kStyleReport = 3 };

    virtual ~IViewLst() = default;
    virtual void SetListMode(int mode) = 0;
    virtual int GetListMode() const = 0;
    // The variables provider shows the variables of this kind (0 external,
    // 1 internal, 2 driver variables).
    virtual void SetVarProvider(int kind) = 0;
    // The provider of a list mode takes the list over.
    virtual void ActivateProvider(int mode) = 0;
    virtual void DeactivateProvider(int mode) = 0;
    // The provider of a list mode shows row i anew.
    virtual void RefreshRow(int mode, int row) = 0;
    virtual int GetStyle() const = 0;
    virtual void SetStyle(int style) = 0;
};

// The project tree.
class IViewTree {
public:
    virtual ~IViewTree() = default;
    virtual void BuildTree() = 0;
    // Builds the tree anew with the file name on its root item.
    virtual void RebuildTree(const std::string& rootText) = 0;
    virtual void FillMenus() = 0;
    // Opens the first menu of the tree in the list view; nothing when the
    // tree holds no menu.
    virtual void MnuSelectedFirst() = 0;
    // Opens the PLC transfer area in the list view.
    virtual void ShowTransferArea() = 0;
};

// A view that prints its picture. Print and preview are enabled while one is
// registered and can print; the printing itself is the window's.
class IViewPrint {
public:
    virtual ~IViewPrint() = default;
    virtual bool CanPrint() const = 0;
};

} // namespace orv
