// Undo, redo and snapshots of the game session.

#include "session/CGameFieldCtrl.h"

#include "session/FieldMessages.h"
#include "session/FixedName.h"
#include "session/PlayTimeText.h"

namespace {

CellPos PosOf(const CUndo& record) {
    return {record.column, record.row};
}

} // namespace

void CGameFieldCtrl::AnnounceUndoState() {
    SendToParent(WM_FIELD_UNDOSTATE, 0, undo.empty() ? 0 : 1);
}

void CGameFieldCtrl::AnnounceRedoState() {
    SendToParent(WM_FIELD_REDOSTATE, 0, redo.empty() ? 0 : 1);
}

void CGameFieldCtrl::PushUndo(const CCell& cell, CellPos pos) {
    undo.push_back({cell, pos.column, pos.row});
    AnnounceUndoState();
}

void CGameFieldCtrl::Undo() {
    if (undo.empty()) {
        return;
    }
    const CUndo record = undo.back();
    undo.pop_back();
    const CellPos pos = PosOf(record);
    if (!pos.IsValid()) {
        // Only a damaged session file can hold such a record; it names no
        // cell, so it is dropped rather than applied.
        AnnounceUndoState();
        return;
    }
    redo.push_back({field.At(pos), pos.column, pos.row});
    AnnounceRedoState();
    field.At(pos) = record.cell;
    AnnounceUndoState();
    AnnounceRedoState();
    Refresh();
}

void CGameFieldCtrl::Redo() {
    if (redo.empty()) {
        return;
    }
    const CUndo record = redo.back();
    redo.pop_back();
    const CellPos pos = PosOf(record);
    if (!pos.IsValid()) {
        AnnounceRedoState();
        return;
    }
    undo.push_back({field.At(pos), pos.column, pos.row});
    AnnounceUndoState();
    field.At(pos) = record.cell;
    AnnounceUndoState();
    AnnounceRedoState();
    Refresh();
}

void CGameFieldCtrl::ClearHistory() {
    undo.clear();
    AnnounceUndoState();
    redo.clear();
    AnnounceRedoState();
}

bool CGameFieldCtrl::MakeSnapshot(const char* name, std::int64_t time) {
    if (snapShots.size() >= MaxSnapshots) {
        return false;
    }
    CSnapShot snapshot;
    snapshot.field = field;
    snapshot.name = ToFixedName<CSnapShot::NameSize>(name ? name : "");
    snapshot.elapsed = time;
    snapShots.push_back(snapshot);
    return true;
}

void CGameFieldCtrl::LoadSnapshot(std::size_t index) {
    if (index >= snapShots.size()) {
        return;
    }
    ClearHistory();
    field = snapShots[index].field;
    Refresh();
}

void CGameFieldCtrl::GetSnapshotLabels(std::vector<std::string>& labels) const {
    labels.clear();
    for (const CSnapShot& snapshot : snapShots) {
        labels.push_back(FromFixedName(snapshot.name) + " (" + FormatPlayTime(snapshot.elapsed) +
                         ")");
    }
}
