#include "views/win/qt/CQtFileDialogHost.h"

#include "views/win/Win32.h"
#include "views/win/qt/QtBackend.h"
#include "views/win/qt/QtPlatform.h"
#include "views/win/qt/QtWindowFlags.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include <vector>

namespace kwin::qt {
namespace {

// "Sudoku Files" with "*.sdk" becomes "Sudoku Files (*.sdk)"; "*.*" means any file here.
QStringList NameFilters(const FileDialogRequest& request) {
    QStringList filters;
    for (const auto& [name, patterns] : request.filters) {
        QString list = QString::fromStdString(patterns);
        list.replace(';', ' ');
        list.replace("*.*", "*");
        filters << QString::fromStdString(name) + " (" + list + ")";
    }
    return filters;
}

void Prepare(QFileDialog& dialog, const FileDialogRequest& request) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite); // the layer asks, as the flags say
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setWindowTitle(QString::fromStdString(request.title));
    const QStringList filters = NameFilters(request);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.value(request.filterIndex, filters.front()));
    }
    const QString initial = QString::fromStdString(request.initialPath);
    const QString dir = QString::fromStdString(request.initialDir);
    if (!dir.isEmpty()) {
        dialog.setDirectory(dir);
    }
    if (!initial.isEmpty()) {
        const QFileInfo info(initial);
        if (info.isDir()) {
            dialog.setDirectory(initial);
        } else {
            if (info.dir().exists() && initial.contains('/')) {
                dialog.setDirectory(info.dir());
            }
            dialog.selectFile(info.fileName());
        }
    }
}

// The file dialogs running now, innermost last.
std::vector<QFileDialog*>& RunningDialogs() {
    static std::vector<QFileDialog*> dialogs;
    return dialogs;
}

// Keeps a dialog in the running list while its modal loop runs.
class RunningScope {
public:
    explicit RunningScope(QFileDialog& dialog) { RunningDialogs().push_back(&dialog); }
    ~RunningScope() { RunningDialogs().pop_back(); }
    RunningScope(const RunningScope&) = delete;
    RunningScope& operator=(const RunningScope&) = delete;
};

} // namespace

QFileDialog* CQtFileDialogHost::Running() {
    return RunningDialogs().empty() ? nullptr : RunningDialogs().back();
}

std::optional<std::string> CQtFileDialogHost::Run(const FileDialogRequest& request) {
    QFileDialog dialog;
    Prepare(dialog, request);
    const HWND owner = request.owner != nullptr ? GetAncestor(request.owner, GA_ROOT) : nullptr;
    const bool disableOwner = owner != nullptr && IsWindowEnabled(owner);
    if (disableOwner) {
        EnableWindow(owner, FALSE);
    }
    QWidget* const ownerWidget = owner != nullptr ? WidgetOf(owner) : nullptr;
    if (ownerWidget != nullptr) {
        KeepWithOwner(&dialog, ownerWidget, true);
    } else {
        dialog.setWindowModality(Qt::ApplicationModal);
    }
    bool finished = false;
    QObject::connect(&dialog, &QDialog::finished, [&finished] {
        finished = true;
        PostThreadMessage(GetCurrentThreadId(), WM_NULL, 0, 0); // wakes GetMessage
    });
    dialog.open();
    if (ownerWidget != nullptr && !DesktopManagesWindows()) {
        dialog.move(ownerWidget->frameGeometry().center() - dialog.rect().center());
    }
    const RunningScope running(dialog);
    ModalLoopStarted({request.save ? ModalKind::SaveFile : ModalKind::OpenFile, nullptr});
    MSG msg{};
    while (!finished) {
        const BOOL got = GetMessage(&msg, nullptr, 0, 0);
        if (got == -1) {
            continue;
        }
        if (!got) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            dialog.reject();
            break;
        }
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    if (disableOwner) {
        EnableWindow(owner, TRUE);
        SetActiveWindow(owner);
    }
    if (dialog.result() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().front().toStdString();
}

} // namespace kwin::qt
