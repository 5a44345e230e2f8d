#include "platform/win32/ChmStorageTopic.h"

#include <objbase.h>
#include <windows.h>

#include <memory>
#include <vector>

#include "platform/ChmContextMap.h"

namespace platform {

namespace {

const CLSID kClsidITStorage = {
    0x5d02926a, 0x212e, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};
const IID kIidITStorage = {
    0x88cc31de, 0x27ab, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};

// itss.dll's storage factory, which no mingw-w64 header declares. Only the method used here
// matters; the ones before it hold their places in the table.
struct IITStorage : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE StgCreateDocfile(const WCHAR*, DWORD, DWORD, IStorage**) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgCreateDocfileOnILockBytes(ILockBytes*, DWORD, DWORD,
                                                                   IStorage**) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgIsStorageFile(const WCHAR*) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgIsStorageILockBytes(ILockBytes*) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgOpenStorage(const WCHAR* name, IStorage* priority,
                                                     DWORD mode, SNB exclude, DWORD reserved,
                                                     IStorage** opened) = 0;
};

struct Releaser {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <class T>
using ComPtr = std::unique_ptr<T, Releaser>;

// Far beyond a context map: a longer stream is damage.
constexpr std::size_t kLargestStream = 16 * 1024 * 1024;

std::wstring wide(const std::string& utf8) {
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring result(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), result.data(),
                        length);
    return result;
}

// The stream at `path` ("/dir/name"), opened folder by folder.
ComPtr<IStream> openStream(IStorage& root, const std::string& path) {
    IStorage* folder = &root;
    ComPtr<IStorage> held;
    std::size_t start = path.front() == '/' ? 1 : 0;
    for (std::size_t slash; (slash = path.find('/', start)) != std::string::npos;
         start = slash + 1) {
        IStorage* inner = nullptr;
        if (FAILED(folder->OpenStorage(wide(path.substr(start, slash - start)).c_str(), nullptr,
                                       STGM_READ | STGM_SHARE_EXCLUSIVE, nullptr, 0, &inner))) {
            return nullptr;
        }
        held.reset(inner);
        folder = inner;
    }
    IStream* stream = nullptr;
    if (FAILED(folder->OpenStream(wide(path.substr(start)).c_str(), nullptr,
                                  STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &stream))) {
        return nullptr;
    }
    return ComPtr<IStream>(stream);
}

std::optional<std::string> readStream(IStorage& root, const std::string& path) {
    const ComPtr<IStream> stream = openStream(root, path);
    if (!stream) {
        return std::nullopt;
    }
    std::string bytes;
    char chunk[4096];
    ULONG got = 0;
    while (SUCCEEDED(stream->Read(chunk, sizeof chunk, &got)) && got > 0) {
        bytes.append(chunk, got);
        if (bytes.size() > kLargestStream) {
            return std::nullopt;
        }
    }
    return bytes;
}

// COM for this thread while the lookup runs, in whatever mode the thread already has.
class ComScope {
public:
    ComScope() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComScope() {
        if (initialised_) {
            CoUninitialize();
        }
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool initialised_;
};

}  // namespace

std::optional<std::string> chmTopicOfContext(const std::string& helpFile, std::uint32_t contextId) {
    const ComScope com;
    void* factory = nullptr;
    if (FAILED(CoCreateInstance(kClsidITStorage, nullptr, CLSCTX_INPROC_SERVER, kIidITStorage,
                                &factory))) {
        return std::nullopt;
    }
    const ComPtr<IITStorage> storages(static_cast<IITStorage*>(factory));
    IStorage* opened = nullptr;
    if (FAILED(storages->StgOpenStorage(wide(helpFile).c_str(), nullptr,
                                        STGM_READ | STGM_SHARE_DENY_WRITE, nullptr, 0, &opened))) {
        return std::nullopt;
    }
    const ComPtr<IStorage> file(opened);
    const auto ivb = readStream(*file, "/#IVB");
    const auto strings = readStream(*file, "/#STRINGS");
    if (!ivb || !strings) {
        return std::nullopt;
    }
    return topicOfContext(*ivb, *strings, contextId, [&](const std::string& path) {
        return openStream(*file, path) != nullptr;
    });
}

}  // namespace platform
