// IFileOperation (Vista and later) is declared only for _WIN32_IE 0x0700 on; this file alone asks
// for it, so the rest of the program keeps the controls' structures of its own setting.
#undef _WIN32_IE
#define _WIN32_IE 0x0700

#include "platform/win32/shell_recycle.h"

#include <windows.h>

#include <shellapi.h>
#include <shobjidl.h>

#include <memory>

namespace kz {

namespace {

struct ComReleaser {
  void operator()(IUnknown* object) const { object->Release(); }
};
template <class Interface>
using ComRef = std::unique_ptr<Interface, ComReleaser>;

// Lets a delete happen only as a move to the bin, and notes whether the item arrived there. It
// lives on the caller's stack, past the operation that holds it, so counting references is moot.
class RecycleOnly final : public IFileOperationProgressSink {
 public:
  bool recycled = false;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (riid == IID_IUnknown || riid == IID_IFileOperationProgressSink) {
      *object = static_cast<IFileOperationProgressSink*>(this);
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE PreDeleteItem(DWORD flags, IShellItem*) override {
    return (flags & TSF_DELETE_RECYCLE_IF_POSSIBLE) ? S_OK : E_ABORT;
  }
  HRESULT STDMETHODCALLTYPE PostDeleteItem(DWORD, IShellItem*, HRESULT result,
                                           IShellItem* created) override {
    recycled = SUCCEEDED(result) && created != nullptr;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE StartOperations() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE FinishOperations(HRESULT) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE PreRenameItem(DWORD, IShellItem*, LPCWSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE PostRenameItem(DWORD, IShellItem*, LPCWSTR, HRESULT,
                                           IShellItem*) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE PreMoveItem(DWORD, IShellItem*, IShellItem*, LPCWSTR) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE PostMoveItem(DWORD, IShellItem*, IShellItem*, LPCWSTR, HRESULT,
                                         IShellItem*) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE PreCopyItem(DWORD, IShellItem*, IShellItem*, LPCWSTR) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE PostCopyItem(DWORD, IShellItem*, IShellItem*, LPCWSTR, HRESULT,
                                         IShellItem*) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE PreNewItem(DWORD, IShellItem*, LPCWSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE PostNewItem(DWORD, IShellItem*, LPCWSTR, LPCWSTR, DWORD, HRESULT,
                                        IShellItem*) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE UpdateProgress(UINT, UINT) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE ResetTimer() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE PauseTimer() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE ResumeTimer() override { return S_OK; }
};

}  // namespace

ShellRecycle RecycleByFileOperation(const std::wstring& path) {
  IFileOperation* raw = nullptr;
  if (FAILED(CoCreateInstance(CLSID_FileOperation, nullptr, CLSCTX_ALL, IID_IFileOperation,
                              reinterpret_cast<void**>(&raw)))) {
    return ShellRecycle::kNoFileOperation;
  }
  ComRef<IFileOperation> operation(raw);
  // Recycling on delete is a flag of Windows 8; Windows 7 recycles with undo alone.
  constexpr DWORD kQuiet = FOF_NO_UI | FOF_ALLOWUNDO;
  if (FAILED(operation->SetOperationFlags(kQuiet | FOFX_RECYCLEONDELETE)) &&
      FAILED(operation->SetOperationFlags(kQuiet))) {
    return ShellRecycle::kNoFileOperation;
  }
  IShellItem* rawItem = nullptr;
  if (FAILED(SHCreateItemFromParsingName(path.c_str(), nullptr, IID_IShellItem,
                                         reinterpret_cast<void**>(&rawItem)))) {
    return ShellRecycle::kNotRecycled;
  }
  ComRef<IShellItem> item(rawItem);
  RecycleOnly sink;
  HRESULT queued = operation->DeleteItem(item.get(), &sink);
  if (queued == E_NOTIMPL) return ShellRecycle::kNoFileOperation;
  if (FAILED(queued)) return ShellRecycle::kNotRecycled;
  HRESULT done = operation->PerformOperations();
  if (done == E_NOTIMPL) return ShellRecycle::kNoFileOperation;
  BOOL aborted = FALSE;
  if (FAILED(done) || FAILED(operation->GetAnyOperationsAborted(&aborted)) || aborted) {
    return ShellRecycle::kNotRecycled;
  }
  return sink.recycled ? ShellRecycle::kRecycled : ShellRecycle::kNotRecycled;
}

bool DeleteWithUndo(const std::wstring& path) {
  std::wstring from = path;
  from.push_back(L'\0');  // a list of paths, ended by an empty one
  SHFILEOPSTRUCTW operation{};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
  return SHFileOperationW(&operation) == 0 && !operation.fAnyOperationsAborted;
}

}  // namespace kz
