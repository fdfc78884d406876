// Runs Qt's file dialog with the frame's initial file, filter and suffix.
#include "gui/QtFilePrompt.h"

#include <QFile>
#include <QFileDialog>

namespace orv {

namespace {

std::string QtFilePromptRun(QWidget* parent, const FileAsk& ask, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!ask.filter.empty())
        dialog.setNameFilter(QString::fromStdString(ask.filter));
    dialog.setDefaultSuffix(QString::fromStdString(ask.defSuffix));
    dialog.selectFile(QFile::decodeName(QByteArray::fromStdString(ask.initial)));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
}

} // namespace

std::string CQtFilePrompt::OpenFile(const FileAsk& ask)
{
    return QtFilePromptRun(m_parent, ask, QFileDialog::AcceptOpen);
}

std::string CQtFilePrompt::SaveFile(const FileAsk& ask)
{
    return QtFilePromptRun(m_parent, ask, QFileDialog::AcceptSave);
}

} // namespace orv
