#pragma once

#include "views/win/api/WinOle.h"

#include <string>

// A data object holding one plain text (CF_TEXT in a global memory block):
// what OleGetClipboard hands out over the clipboard's text.
class CTextDataObject final : public IDataObject {
public:
    explicit CTextDataObject(std::string text);

    HRESULT QueryInterface(REFIID iid, void** object) override;
    ULONG AddRef() override;
    ULONG Release() override;

    HRESULT GetData(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT QueryGetData(FORMATETC* format) override;
    HRESULT GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) override;
    HRESULT SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
    HRESULT EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override;
    HRESULT DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink, DWORD* connection) override;
    HRESULT DUnadvise(DWORD connection) override;
    HRESULT EnumDAdvise(IEnumSTATDATA** advise) override;

    // The one format offered.
    static FORMATETC TextFormat();

private:
    ~CTextDataObject() = default;

    ULONG m_references = 1;
    std::string m_text;
};
