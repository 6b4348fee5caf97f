#include "platform/win32/urlmon_bind_callback.h"

#include <cwctype>
#include <optional>
#include <string>

#include "platform/win32/win32_text.h"

namespace kvz::platform::win32 {

namespace {

// The UTF-16 text at `text` as the system's GBK text; none gives empty text.
// lstrlenW tolerates a bad address (it then gives 0).
std::string StrFromPtr(LPCWSTR text) {
  if (!text) return {};
  const int length = lstrlenW(text);
  if (length <= 0) return {};
  return GbkFromWide(std::wstring(text, static_cast<std::size_t>(length)));
}

bool SameNameIgnoringCase(const std::wstring& a, const wchar_t* b) {
  std::size_t i = 0;
  for (; i < a.size() && b[i]; ++i) {
    if (std::towlower(a[i]) != std::towlower(b[i])) return false;
  }
  return i == a.size() && !b[i];
}

std::wstring Trimmed(const std::wstring& text) {
  const auto first = text.find_first_not_of(L" \t");
  if (first == std::wstring::npos) return {};
  return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

// The body length the response headers announce. A body sent with a content
// encoding is announced in its encoded size while the facility may save it
// decoded, so no length is taken then.
std::optional<std::uint64_t> AnnouncedLength(LPCWSTR headers) {
  if (!headers) return std::nullopt;
  std::optional<std::uint64_t> length;
  bool encoded = false;
  const std::wstring all(headers);
  std::size_t start = 0;
  while (start < all.size()) {
    std::size_t end = all.find(L"\r\n", start);
    if (end == std::wstring::npos) end = all.size();
    const std::wstring line = all.substr(start, end - start);
    start = end + 2;
    const auto colon = line.find(L':');
    if (colon == std::wstring::npos) continue;
    const std::wstring name = Trimmed(line.substr(0, colon));
    const std::wstring value = Trimmed(line.substr(colon + 1));
    if (SameNameIgnoringCase(name, L"Content-Length")) {
      if (value.empty() || value.find_first_not_of(L"0123456789") != std::wstring::npos) continue;
      length = std::wcstoull(value.c_str(), nullptr, 10);
    } else if (SameNameIgnoringCase(name, L"Content-Encoding")) {
      encoded = !SameNameIgnoringCase(value, L"identity");
    }
  }
  if (encoded) return std::nullopt;
  return length;
}

}  // namespace

void UrlmonBindCallback::AbortTransfer() {
  if (m_lBindingRef == 1 && m_oBinding) m_oBinding->Abort();
}

void UrlmonBindCallback::DropBinding() {
  if (m_lBindingRef == 1 && m_oBinding) m_oBinding->Release();
  m_lBindingRef = 0;
  if (m_oBinding) m_oBinding->Release();
  m_oBinding = nullptr;
}

STDMETHODIMP UrlmonBindCallback::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IBindStatusCallback)) {
    *object = static_cast<IBindStatusCallback*>(this);
  } else if (IsEqualIID(riid, IID_IHttpNegotiate)) {
    *object = static_cast<IHttpNegotiate*>(this);
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) UrlmonBindCallback::AddRef() {
  return static_cast<ULONG>(InterlockedIncrement(&references_));
}

STDMETHODIMP_(ULONG) UrlmonBindCallback::Release() {
  const LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

STDMETHODIMP UrlmonBindCallback::OnStartBinding(DWORD, IBinding* binding) {
  // The previous transfer's binding is kept until this one replaces it.
  if (m_oBinding) m_oBinding->Release();
  m_oBinding = binding;
  if (binding) {
    binding->AddRef();  // the reference of m_oBinding
    binding->AddRef();  // the extra one, held until the stop
    m_lBindingRef = 1;
  }
  try {
    if (sink_) sink_->OnStart();
  } catch (...) {
  }
  return S_OK;
}

STDMETHODIMP UrlmonBindCallback::GetPriority(LONG* priority) {
  // A success must leave the out value defined.
  if (priority) *priority = THREAD_PRIORITY_NORMAL;
  return S_OK;
}

STDMETHODIMP UrlmonBindCallback::OnLowResource(DWORD) { return S_OK; }

STDMETHODIMP UrlmonBindCallback::OnProgress(ULONG progress, ULONG progressMax, ULONG statusCode,
                                            LPCWSTR statusText) {
  try {
    if (sink_) sink_->OnProgress(progress, progressMax, statusCode, StrFromPtr(statusText));
  } catch (...) {
  }
  return S_OK;
}

STDMETHODIMP UrlmonBindCallback::OnStopBinding(HRESULT, LPCWSTR) {
  if (m_lBindingRef == 1) {
    if (m_oBinding) m_oBinding->Release();
    m_lBindingRef = 0;
  }
  try {
    if (sink_) sink_->OnStop();
  } catch (...) {
  }
  return S_OK;
}

STDMETHODIMP UrlmonBindCallback::GetBindInfo(DWORD*, BINDINFO*) {
  // The facility's own bind flags apply, its cache included.
  return S_OK;
}

STDMETHODIMP UrlmonBindCallback::OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) {
  return S_OK;
}

STDMETHODIMP UrlmonBindCallback::OnObjectAvailable(REFIID, IUnknown*) { return S_OK; }

STDMETHODIMP UrlmonBindCallback::BeginningTransaction(LPCWSTR, LPCWSTR, DWORD,
                                                      LPWSTR* additionalHeaders) {
  if (additionalHeaders) *additionalHeaders = nullptr;
  return S_OK;
}

STDMETHODIMP UrlmonBindCallback::OnResponse(DWORD responseCode, LPCWSTR responseHeaders, LPCWSTR,
                                            LPWSTR* additionalRequestHeaders) {
  if (additionalRequestHeaders) *additionalRequestHeaders = nullptr;
  try {
    if (sink_) sink_->OnResponse(static_cast<int>(responseCode), AnnouncedLength(responseHeaders));
  } catch (...) {
  }
  return S_OK;
}

}  // namespace kvz::platform::win32
