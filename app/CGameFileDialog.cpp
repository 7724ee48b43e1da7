#include "app/CGameFileDialog.h"

#include <cstring>

namespace {

constexpr char Filter[] = "Sudoku Files\0*.sdk\0All Files\0*.*\0";

} // namespace

CGameFileDialog::CGameFileDialog() {
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.lpstrFilter = Filter;
    m_ofn.nFilterIndex = 1;
    m_ofn.lpstrFile = m_buffer;
    m_ofn.nMaxFile = sizeof(m_buffer);
    m_ofn.lpstrFileTitle = m_title;
    m_ofn.nMaxFileTitle = sizeof(m_title);
    m_ofn.lpstrDefExt = "sdk";
    m_ofn.Flags = Flags;
}

bool CGameFileDialog::ChooseToOpen(HWND owner, std::string& path) {
    return Choose(owner, false, path);
}

bool CGameFileDialog::ChooseToSave(HWND owner, std::string& path) {
    return Choose(owner, true, path);
}

bool CGameFileDialog::Choose(HWND owner, bool save, std::string& path) {
    if (m_ofn.hwndOwner == nullptr) {
        m_ofn.hwndOwner = owner;
    }
    std::memset(m_buffer, 0, sizeof(m_buffer));
    std::strncpy(m_buffer, m_fileName.c_str(), sizeof(m_buffer) - 1);
    if (save) {
        m_ofn.Flags |= OFN_CREATEPROMPT;
    } else {
        m_ofn.Flags &= ~OFN_CREATEPROMPT;
    }
    const BOOL chosen = save ? GetSaveFileName(&m_ofn) : GetOpenFileName(&m_ofn);
    if (!chosen) {
        return false;
    }
    path = m_buffer;
    return true;
}
