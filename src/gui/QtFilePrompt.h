// The frame's open and save dialogs over Qt's file dialog.
#pragma once

#include "workspace/FilePrompt.h"

class QWidget;

namespace orv {

class CQtFilePrompt final : public CFilePrompt {
public:
    explicit CQtFilePrompt(QWidget* parent) : m_parent(parent) {}

    std::string OpenFile(const FileAsk& ask) override;
    std::string SaveFile(const FileAsk& ask) override;

private:
    QWidget* m_parent;
};

} // namespace orv
