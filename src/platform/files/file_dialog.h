#pragma once

#include "platform/toolkit/seam.h"

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace platform {

struct FileDialogRequest {
    enum class Purpose { Open, Save };

    Purpose purpose = Purpose::Open;
    QString title;
    // "Description|patterns|Description|patterns", the first pair selected.
    QString filter;
    QString defaultSuffix;
    // The suffix added to a name without one while each file type of the filter is chosen;
    // types beyond the list, or with an empty entry, add defaultSuffix.
    QStringList typeSuffixes;
    // The file offered when the dialog opens.
    QString fileName;
};

struct ChosenFile {
    QString path;
    int type = 0; // the file type chosen, counted from 0 in the order of the filter
};

// The desktop's file dialog. To open, the chosen file must exist; to save, an existing file
// must be confirmed. Returns the chosen file, or nothing when cancelled.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    virtual std::optional<ChosenFile> choose(QWidget* parent, const FileDialogRequest& request) = 0;
};

template <> FileChooser& Seam<FileChooser>::desktop();

// A file dialog that, like a dialog component on a form, remembers the last file chosen in it
// and offers it at its next opening.
class FileDialog {
public:
    explicit FileDialog(FileDialogRequest setup)
        : m_setup(std::move(setup))
    {
    }

    // True when the user chose a file; fileName() then holds it.
    bool execute(QWidget* parent);
    QString fileName() const { return m_setup.fileName; }

private:
    FileDialogRequest m_setup;
};

// The dialog's file-type list in Qt's form: each description as given, then in brackets the
// patterns Qt filters with, which the dialog keeps hidden. "*.*" means every file, also those
// without a dot, which on this platform is "*".
QStringList QtNameFilters(const QString& filter);

} // namespace platform
