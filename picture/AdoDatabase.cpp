#include "picture/AdoDatabase.h"

#include <new>

#include "platform/com/ComRuntime.h"

CAdoDatabase::CAdoDatabase() {
    // Scripts of URL lists run on worker threads of their own, which may not have initialised
    // COM; the wrapper does it for the time it lives.
    m_comInitialised = SUCCEEDED(CoInitialize(nullptr));
    IUnknown* object = nullptr;
    if (FAILED(CoCreateInstance(CLSID_Connection, nullptr, CLSCTX_ALL, IID_IUnknown,
                                reinterpret_cast<void**>(&object)))) {
        return;
    }
    if (SUCCEEDED(OleRun(object))) {
        m_connection = object;
    }
    object->Release();
}

CAdoDatabase::~CAdoDatabase() {
    Close();
    m_connection = nullptr;
    if (m_comInitialised) {
        CoUninitialize();
    }
}

int CAdoDatabase::Open(const CString& connectionString) {
    m_errorText.Empty();
    if (!m_connection) {
        return 1;
    }
    try {
        Close();
        m_connection->Open(_bstr_t(static_cast<const char*>(connectionString)), "", "",
                           adConnectUnspecified);
        m_connectionString = connectionString;
    } catch (const _com_error& error) {
        NoteError(error);
        return 1;
    } catch (const std::exception&) {
        return 2;
    }
    return 0;
}

int CAdoDatabase::Execute(const CString& sql) {
    m_errorText.Empty();
    if (!m_connection) {
        return -1;
    }
    try {
        _variant_t affected;
        m_connection->Execute(_bstr_t(static_cast<const char*>(sql)), &affected, adCmdText);
    } catch (const _com_error& error) {
        NoteError(error);
        return 1;
    } catch (const std::exception&) {
        return -3;
    }
    return 0;
}

void CAdoDatabase::Close() {
    if (IsOpen()) {
        m_connection->raw_Close();
    }
}

int CAdoDatabase::IsOpen() {
    long state = adStateClosed;
    return m_connection && SUCCEEDED(m_connection->get_State(&state)) && state != adStateClosed ? 1
                                                                                                : 0;
}

int CAdoDatabase::OpenRecordset(const CString& sql, CAdoRecordset& records) {
    m_errorText.Empty();
    if (!m_connection) {
        return -1;
    }
    try {
        records.Attach(
            m_connection->Execute(_bstr_t(static_cast<const char*>(sql)), nullptr, adCmdText));
    } catch (const _com_error& error) {
        NoteError(error);
        return 1;
    } catch (const std::exception&) {
        return 1;
    }
    return 0;
}

int CAdoDatabase::QueryFirstRecord(const CString& sql, int count, std::vector<std::string>& texts) {
    CAdoRecordset records;
    const int opened = OpenRecordset(sql, records);
    if (opened != 0) {
        return 1;
    }
    std::vector<_variant_t> values;
    const int result = records.GetFieldValues(count, values);
    records.Close();
    if (result == 0) {
        texts.resize(values.size());
        for (size_t i = 0; i < values.size(); ++i) {
            // A value without a text form gives an empty text rather than stopping the script.
            if (!ValueToText(values[i], texts[i])) {
                texts[i].clear();
            }
        }
    }
    return result;
}

bool CAdoDatabase::ValueToText(const _variant_t& value, std::string& text) {
    CString converted;
    try {
        if (value.vt == VT_BSTR) {
            converted = static_cast<const char*>(_bstr_t(value.bstrVal, true));
        } else {
            _variant_t asText;
            asText.ChangeType(VT_BSTR, &value);
            converted = static_cast<const char*>(_bstr_t(asText.bstrVal, true));
        }
    } catch (const _com_error&) {
        return false;
    }
    converted.TrimRight();
    text = converted.str();
    return true;
}

void CAdoDatabase::NoteError(const _com_error& error) {
    _bstr_t description = error.Description();
    const char* detail =
        description.length() > 0 ? static_cast<const char*>(description) : error.ErrorMessage();
    m_errorText = CString("连接数据库失败！错误信息：") + detail;
}
