#include "views/win/clipboard/CTextDataObject.h"

#include "views/win/clipboard/CTextFormatEnum.h"

#include "views/win/api/WinUser.h"

#include <cstring>

namespace {

bool IsText(const FORMATETC* format) {
    return format != nullptr && format->cfFormat == CF_TEXT && (format->tymed & TYMED_HGLOBAL) &&
           format->dwAspect == DVASPECT_CONTENT;
}

} // namespace

CTextDataObject::CTextDataObject(std::string text) : m_text(std::move(text)) {}

FORMATETC CTextDataObject::TextFormat() {
    return FORMATETC{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

HRESULT CTextDataObject::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (iid == IID_IUnknown || iid == IID_IDataObject) {
        *object = static_cast<IDataObject*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG CTextDataObject::AddRef() {
    return ++m_references;
}

ULONG CTextDataObject::Release() {
    const ULONG left = --m_references;
    if (left == 0) {
        delete this;
    }
    return left;
}

HRESULT CTextDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
    if (medium == nullptr) {
        return E_POINTER;
    }
    if (!IsText(format)) {
        return DV_E_FORMATETC;
    }
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, m_text.size() + 1);
    if (block == nullptr) {
        return E_OUTOFMEMORY;
    }
    std::memcpy(GlobalLock(block), m_text.c_str(), m_text.size() + 1);
    GlobalUnlock(block);
    *medium = STGMEDIUM{TYMED_HGLOBAL, block, nullptr};
    return S_OK;
}

HRESULT CTextDataObject::GetDataHere(FORMATETC*, STGMEDIUM*) {
    return E_NOTIMPL;
}

HRESULT CTextDataObject::QueryGetData(FORMATETC* format) {
    return IsText(format) ? S_OK : DV_E_FORMATETC;
}

HRESULT CTextDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) {
    if (out != nullptr) {
        out->ptd = nullptr;
    }
    return E_NOTIMPL;
}

HRESULT CTextDataObject::SetData(FORMATETC*, STGMEDIUM*, BOOL) {
    return E_NOTIMPL;
}

HRESULT CTextDataObject::EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) {
    if (formats == nullptr) {
        return E_POINTER;
    }
    if (direction != DATADIR_GET) {
        *formats = nullptr;
        return E_NOTIMPL;
    }
    *formats = new CTextFormatEnum(TextFormat());
    return S_OK;
}

HRESULT CTextDataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) {
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT CTextDataObject::DUnadvise(DWORD) {
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT CTextDataObject::EnumDAdvise(IEnumSTATDATA**) {
    return OLE_E_ADVISENOTSUPPORTED;
}
