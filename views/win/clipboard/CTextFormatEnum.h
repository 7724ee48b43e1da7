#pragma once

#include "views/win/api/WinOle.h"

// Enumerates the one format a data object offers.
class CTextFormatEnum final : public IEnumFORMATETC {
public:
    explicit CTextFormatEnum(const FORMATETC& format);

    HRESULT QueryInterface(REFIID iid, void** object) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT Next(ULONG count, FORMATETC* formats, ULONG* fetched) override;
    HRESULT Skip(ULONG count) override;
    HRESULT Reset() override;
    HRESULT Clone(IEnumFORMATETC** copy) override;

private:
    ~CTextFormatEnum() = default;

    ULONG m_references = 1;
    ULONG m_next = 0;
    FORMATETC m_format;
};
