#include "views/win/clipboard/CTextFormatEnum.h"

#include "views/win/api/WinUser.h"

CTextFormatEnum::CTextFormatEnum(const FORMATETC& format) : m_format(format) {}

HRESULT CTextFormatEnum::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (iid == IID_IUnknown || iid == IID_IEnumFORMATETC) {
        *object = static_cast<IEnumFORMATETC*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG CTextFormatEnum::AddRef() {
    return ++m_references;
}

ULONG CTextFormatEnum::Release() {
    const ULONG left = --m_references;
    if (left == 0) {
        delete this;
    }
    return left;
}

HRESULT CTextFormatEnum::Next(ULONG count, FORMATETC* formats, ULONG* fetched) {
    ULONG given = 0;
    if (count > 0 && formats != nullptr && m_next == 0) {
        formats[0] = m_format;
        given = 1;
        m_next = 1;
    }
    if (fetched != nullptr) {
        *fetched = given;
    }
    return given == count ? S_OK : S_FALSE;
}

HRESULT CTextFormatEnum::Skip(ULONG count) {
    const bool past = m_next + count > 1;
    m_next = past ? 1 : m_next + count;
    return past ? S_FALSE : S_OK;
}

HRESULT CTextFormatEnum::Reset() {
    m_next = 0;
    return S_OK;
}

HRESULT CTextFormatEnum::Clone(IEnumFORMATETC** copy) {
    if (copy == nullptr) {
        return E_POINTER;
    }
    auto* other = new CTextFormatEnum(m_format);
    other->m_next = m_next;
    *copy = other;
    return S_OK;
}
