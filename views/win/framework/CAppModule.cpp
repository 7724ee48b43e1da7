#include "views/win/framework/CAppModule.h"

namespace {

CAppModule*& CurrentModule() {
    static CAppModule* module = nullptr;
    return module;
}

} // namespace

HRESULT CAppModule::Init(HINSTANCE instance) {
    m_instance = instance != nullptr ? instance : GetModuleHandle(nullptr);
    CurrentModule() = this;
    return S_OK;
}

void CAppModule::Term() {
    m_loop = nullptr;
    if (CurrentModule() == this) {
        CurrentModule() = nullptr;
    }
}

BOOL CAppModule::AddMessageLoop(CMessageLoop* loop) {
    if (loop == nullptr || m_loop != nullptr) {
        return FALSE;
    }
    m_loop = loop;
    return TRUE;
}

BOOL CAppModule::RemoveMessageLoop() {
    if (m_loop == nullptr) {
        return FALSE;
    }
    m_loop = nullptr;
    return TRUE;
}

CMessageLoop* CAppModule::GetMessageLoop() const {
    return m_loop;
}

CAppModule* CAppModule::Current() {
    return CurrentModule();
}
