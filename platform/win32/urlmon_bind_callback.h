#pragma once
#include <windows.h>
// After <windows.h>:
#include <urlmon.h>

#include "platform/url_download.h"

namespace kvz::platform::win32 {

// The binding-status callback of every transfer of one UrlmonDownloader. It
// keeps the binding of the last transfer (m_oBinding) and, from the start to
// the stop of a transfer, one extra reference on it (m_lBindingRef = 1),
// through which the transfer can be aborted. Every method answers S_OK and
// never asks the facility to stop; nothing thrown leaves a method.
class UrlmonBindCallback final : public IBindStatusCallback, public IHttpNegotiate {
 public:
  UrlmonBindCallback() = default;

  // The sink of the transfer that is about to run, or none after it.
  void Attach(IUrlDownloadSink* sink) { sink_ = sink; }
  void AbortTransfer();
  // Drops the references on the binding; the object itself lives on until
  // its last COM reference is released.
  void DropBinding();

  // IUnknown, shared by both interfaces.
  STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IBindStatusCallback
  STDMETHODIMP OnStartBinding(DWORD reserved, IBinding* binding) override;
  STDMETHODIMP GetPriority(LONG* priority) override;
  STDMETHODIMP OnLowResource(DWORD reserved) override;
  STDMETHODIMP OnProgress(ULONG progress, ULONG progressMax, ULONG statusCode,
                          LPCWSTR statusText) override;
  STDMETHODIMP OnStopBinding(HRESULT result, LPCWSTR error) override;
  STDMETHODIMP GetBindInfo(DWORD* bindFlags, BINDINFO* bindInfo) override;
  STDMETHODIMP OnDataAvailable(DWORD flags, DWORD size, FORMATETC* format,
                               STGMEDIUM* medium) override;
  STDMETHODIMP OnObjectAvailable(REFIID riid, IUnknown* object) override;

  // IHttpNegotiate
  STDMETHODIMP BeginningTransaction(LPCWSTR url, LPCWSTR headers, DWORD reserved,
                                    LPWSTR* additionalHeaders) override;
  STDMETHODIMP OnResponse(DWORD responseCode, LPCWSTR responseHeaders, LPCWSTR requestHeaders,
                          LPWSTR* additionalRequestHeaders) override;

 private:
  ~UrlmonBindCallback() = default;

  LONG references_ = 1;
  IBinding* m_oBinding = nullptr;
  LONG m_lBindingRef = 0;
  IUrlDownloadSink* sink_ = nullptr;
};

}  // namespace kvz::platform::win32
