// The hexadecimal and decimal edit fields of the dialogs: plain line edits
// whose typed and pasted characters pass the fields' rules first.
#pragma once

#include "workspace/forms/InputFilters.h"

#include <QLineEdit>

namespace orv {

// A line edit that hands every character the user puts in, typed, pasted,
// dropped or committed by an input method, to one rule. Text set by the
// program is taken as it is.
class CFilteredEdit : public QLineEdit {
public:
    CFilteredEdit(CharFilter filter, QWidget* parent);

    // The standard menu with its paste entry through the rule; the caller
    // owns it.
    QMenu* CreateContextMenu();

protected:
    virtual bool IsSigned() const { return false; }
    // Runs for each typed character before the rule.
    virtual void OnTypedChar() {}

    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    QString Filtered(const QString& text) const;
    void InsertFiltered(const QString& text);

    CharFilter m_filter;
};

// Takes hexadecimal digits, upper-cased as they come in.
class CHexEdit final : public CFilteredEdit {
public:
    explicit CHexEdit(QWidget* parent = nullptr);
};

// Takes decimal digits, and the minus sign when the owner made it signed.
class CNumEdit final : public CFilteredEdit {
public:
    explicit CNumEdit(QWidget* parent = nullptr);

    void SetSigned(bool isSigned) { m_signed = isSigned; }
    bool IsSigned() const override { return m_signed; }

protected:
    void OnTypedChar() override;

private:
    bool m_signed = false;
};

} // namespace orv
