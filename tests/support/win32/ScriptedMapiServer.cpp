// An in-process COM server that stands in for Collaboration Data Objects ("MAPI.Session") in
// the Windows suites, so that they reach it through the real COM path: registration, class
// factory, IDispatch by name, VARIANTs and EXCEPINFO. testsupport::ScopedScriptedMapi
// registers it for the current user. Every object is a plain IDispatch over a name table
// (names compared without regard to case, no type information, no named arguments).
//
// The scripted tree:
//
//   Logon(profile, password, showDialog)  three positional arguments: text, text, Boolean
//     "Scripted"          logs on
//     any other profile   raises scode 0x80040111 (MAPI_E_LOGON_FAILED), source
//                         "Collaboration Data Objects", a description naming the profile
//     showDialog True     raises wCode 1000, no source, description "No logon dialog here"
//   InfoStores before Logon raises scode 0x80040605 (MAPI_E_NOT_INITIALIZED).
//   Logoff takes no argument. InfoStores: Count 3, Item(1 to 3); another index: Nothing.
//
//   Store 1 "Mailbox - Test"        ID text "0000000038A1BB1005E5101AA1BB08002B2A56C2"
//     (RootFolder "Top of Information Store", ID "TOP-1"; no node of its own in a browser)
//     "Inbox"                       ID "INBOX-1"
//       "A"                         ID "INBOX-A"
//       "B"                         ID "INBOX-B"
//         "B1"                      ID "INBOX-B1"
//     "Sent Items"                  ID "SENT-1", returned by reference (VT_BYREF|VT_VARIANT)
//     "Restricted"                  ID "RESTR-1", Count 3: GetFirst gives "Visible" (ID
//                                   "RESTR-V"); the first GetNext raises E_ACCESSDENIED,
//                                   its texts filled in deferred (pfnDeferredFillIn);
//                                   the next GetNext gives "After" (ID "RESTR-A")
//     "Entwürfe"                    ID the number 4711 (VT_I4); Folders is Nothing
//   Store 2 "Public Folders"        ID bytes 00 1A BC EF (VT_ARRAY|VT_UI1): "001ABCEF"
//     (RootFolder "IPM_SUBTREE", ID "PUB-TOP")
//     "All Public Folders"          ID bytes 0A 0B 0C: "0A0B0C"
//       "Notices"                   ID "PUB-NOTICES"
//   Store 3 "Archive"               ID the number 42 (VT_I4); RootFolder is Nothing
//
// Every folder's Class is 2; a folder without sub-folders has an empty Folders collection.
// GetFirst and GetNext past the end give Nothing. Members check the call flags (a property
// answers a property get, a method a method call; Item both) and the argument count.

#include <windows.h>

#include <oleauto.h>

#include <atomic>
#include <string>
#include <vector>

#include "support/win32/ScriptedMapiClass.h"

namespace {

std::atomic<LONG> liveObjects{0};
std::atomic<LONG> serverLocks{0};

constexpr HRESULT kLogonFailed = static_cast<HRESULT>(0x80040111);
constexpr HRESULT kNotInitialized = static_cast<HRESULT>(0x80040605);
constexpr WORD kGet = DISPATCH_PROPERTYGET;
constexpr WORD kMethod = DISPATCH_METHOD;

// --- The tree --------------------------------------------------------------------------

struct Id {
    enum Form { Text, Number, Bytes, Reference } form = Text;
    std::wstring text;
    LONG number = 0;
    std::vector<BYTE> bytes;
};

struct Folder {
    std::wstring name;
    Id id;
    std::vector<Folder> children;
    bool noCollection = false;
    bool unreadable = false;  // fetching it from its collection raises
};

struct Store {
    std::wstring name;
    Id id;
    const Folder* root;
};

Id textId(std::wstring text) {
    return Id{Id::Text, std::move(text), 0, {}};
}

Folder folder(std::wstring name, Id id, std::vector<Folder> children = {}) {
    return Folder{std::move(name), std::move(id), std::move(children), false, false};
}

Folder mailboxTree() {
    Folder unreadable = folder({}, {});
    unreadable.unreadable = true;
    Folder drafts = folder(L"Entw\u00fcrfe", Id{Id::Number, {}, 4711, {}});
    drafts.noCollection = true;
    return folder(L"Top of Information Store", textId(L"TOP-1"),
                  {folder(L"Inbox", textId(L"INBOX-1"),
                          {folder(L"A", textId(L"INBOX-A")),
                           folder(L"B", textId(L"INBOX-B"), {folder(L"B1", textId(L"INBOX-B1"))})}),
                   folder(L"Sent Items", Id{Id::Reference, L"SENT-1", 0, {}}),
                   folder(L"Restricted", textId(L"RESTR-1"),
                          {folder(L"Visible", textId(L"RESTR-V")), unreadable,
                           folder(L"After", textId(L"RESTR-A"))}),
                   drafts});
}

const std::vector<Store>& stores() {
    static const Folder mailbox = mailboxTree();
    static const Folder publicFolders =
        folder(L"IPM_SUBTREE", textId(L"PUB-TOP"),
               {folder(L"All Public Folders", Id{Id::Bytes, {}, 0, {0x0A, 0x0B, 0x0C}},
                       {folder(L"Notices", textId(L"PUB-NOTICES"))})});
    static const std::vector<Store> all{
        {L"Mailbox - Test", textId(L"0000000038A1BB1005E5101AA1BB08002B2A56C2"), &mailbox},
        {L"Public Folders", Id{Id::Bytes, {}, 0, {0x00, 0x1A, 0xBC, 0xEF}}, &publicFolders},
        {L"Archive", Id{Id::Number, {}, 42, {}}, nullptr}};
    return all;
}

// --- Results and raised errors ---------------------------------------------------------

void setText(VARIANT& result, const std::wstring& text) {
    result.vt = VT_BSTR;
    result.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

void setNumber(VARIANT& result, LONG number) {
    result.vt = VT_I4;
    result.lVal = number;
}

// Takes over the caller's reference; null is Nothing.
void setObject(VARIANT& result, IDispatch* object) {
    result.vt = VT_DISPATCH;
    result.pdispVal = object;
}

void setBytes(VARIANT& result, const std::vector<BYTE>& bytes) {
    SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
    void* data = nullptr;
    SafeArrayAccessData(array, &data);
    std::copy(bytes.begin(), bytes.end(), static_cast<BYTE*>(data));
    SafeArrayUnaccessData(array);
    result.vt = VT_ARRAY | VT_UI1;
    result.parray = array;
}

HRESULT raise(EXCEPINFO* info, HRESULT scode, WORD wCode, const wchar_t* source,
              const std::wstring& description) {
    if (info) {
        *info = EXCEPINFO{};
        info->scode = scode;
        info->wCode = wCode;
        info->bstrSource = source ? SysAllocString(source) : nullptr;
        info->bstrDescription = SysAllocString(description.c_str());
    }
    return DISP_E_EXCEPTION;
}

HRESULT STDAPICALLTYPE fillAccessDenied(EXCEPINFO* info) {
    info->scode = E_ACCESSDENIED;
    info->bstrSource = SysAllocString(L"Collaboration Data Objects");
    info->bstrDescription = SysAllocString(
        L"You do not have permission to view this folder. [MAPI 1.0 - [E_ACCESSDENIED(80070005)]]");
    return S_OK;
}

// --- IDispatch over a name table -------------------------------------------------------

struct Member {
    const wchar_t* name;
    WORD flags;  // the call flags it answers
    UINT arguments;
};

class Dispatch : public IDispatch {
public:
    Dispatch() { ++liveObjects; }
    virtual ~Dispatch() { --liveObjects; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (!object) {
            return E_POINTER;
        }
        if (riid == IID_IUnknown || riid == IID_IDispatch) {
            *object = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override {
        return DISP_E_BADINDEX;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override {
        if (riid != IID_NULL) {
            return DISP_E_UNKNOWNINTERFACE;
        }
        for (UINT i = 0; i < count; ++i) {
            ids[i] = DISPID_UNKNOWN;
        }
        const auto& table = members();
        for (std::size_t i = 0; count == 1 && i < table.size(); ++i) {
            if (_wcsicmp(names[0], table[i].name) == 0) {
                ids[0] = static_cast<DISPID>(i + 1);
                return S_OK;
            }
        }
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* info, UINT* badArgument) override {
        const auto& table = members();
        if (riid != IID_NULL) {
            return DISP_E_UNKNOWNINTERFACE;
        }
        if (id < 1 || static_cast<std::size_t>(id) > table.size() ||
            !(flags & table[id - 1].flags)) {
            return DISP_E_MEMBERNOTFOUND;
        }
        if (params->cNamedArgs != 0) {
            return DISP_E_NONAMEDARGS;
        }
        if (params->cArgs != table[id - 1].arguments) {
            return DISP_E_BADPARAMCOUNT;
        }
        // DISPPARAMS holds the last argument first.
        std::vector<const VARIANT*> arguments;
        for (UINT i = params->cArgs; i > 0; --i) {
            arguments.push_back(&params->rgvarg[i - 1]);
        }
        VARIANT ignored;
        VariantInit(&ignored);
        const HRESULT status = invoke(id, arguments, result ? *result : ignored, info, badArgument);
        VariantClear(&ignored);
        return status;
    }

protected:
    virtual const std::vector<Member>& members() const = 0;
    // `id` is the 1-based position in members(); arguments in call order.
    virtual HRESULT invoke(DISPID id, const std::vector<const VARIANT*>& arguments, VARIANT& result,
                           EXCEPINFO* info, UINT* badArgument) = 0;

private:
    std::atomic<ULONG> references_{1};
};

void setId(VARIANT& result, const Id& id, VARIANT& referenced) {
    switch (id.form) {
        case Id::Text:
            return setText(result, id.text);
        case Id::Number:
            return setNumber(result, id.number);
        case Id::Bytes:
            return setBytes(result, id.bytes);
        case Id::Reference:
            VariantClear(&referenced);
            setText(referenced, id.text);
            result.vt = VT_BYREF | VT_VARIANT;
            result.pvarVal = &referenced;
            return;
    }
}

class FolderObject final : public Dispatch {
public:
    explicit FolderObject(const Folder& folder) : folder_(folder) { VariantInit(&referenced_); }
    ~FolderObject() override { VariantClear(&referenced_); }

protected:
    const std::vector<Member>& members() const override {
        static const std::vector<Member> table{
            {L"Folders", kGet, 0}, {L"ID", kGet, 0}, {L"Name", kGet, 0}, {L"Class", kGet, 0}};
        return table;
    }
    HRESULT invoke(DISPID id, const std::vector<const VARIANT*>&, VARIANT& result, EXCEPINFO*,
                   UINT*) override;

private:
    const Folder& folder_;
    // What an identifier returned by reference points to; it lives as long as the folder.
    VARIANT referenced_;
};

class FolderCollection final : public Dispatch {
public:
    explicit FolderCollection(const Folder& parent) : parent_(parent) {}

protected:
    const std::vector<Member>& members() const override {
        static const std::vector<Member> table{
            {L"Count", kGet, 0}, {L"GetFirst", kMethod, 0}, {L"GetNext", kMethod, 0}};
        return table;
    }
    HRESULT invoke(DISPID id, const std::vector<const VARIANT*>&, VARIANT& result, EXCEPINFO* info,
                   UINT*) override {
        if (id == 1) {
            setNumber(result, static_cast<LONG>(parent_.children.size()));
            return S_OK;
        }
        next_ = id == 2 ? 0 : next_ + 1;
        if (next_ >= parent_.children.size()) {
            setObject(result, nullptr);
            return S_OK;
        }
        const Folder& child = parent_.children[next_];
        if (child.unreadable) {
            if (info) {
                *info = EXCEPINFO{};
                info->pfnDeferredFillIn = fillAccessDenied;
            }
            return DISP_E_EXCEPTION;
        }
        setObject(result, new FolderObject(child));
        return S_OK;
    }

private:
    const Folder& parent_;
    std::size_t next_ = 0;
};

HRESULT FolderObject::invoke(DISPID id, const std::vector<const VARIANT*>&, VARIANT& result,
                             EXCEPINFO*, UINT*) {
    switch (id) {
        case 1:
            setObject(result, folder_.noCollection ? nullptr : new FolderCollection(folder_));
            break;
        case 2:
            setId(result, folder_.id, referenced_);
            break;
        case 3:
            setText(result, folder_.name);
            break;
        default:
            setNumber(result, 2);
            break;
    }
    return S_OK;
}

class StoreObject final : public Dispatch {
public:
    explicit StoreObject(const Store& store) : store_(store) { VariantInit(&referenced_); }
    ~StoreObject() override { VariantClear(&referenced_); }

protected:
    const std::vector<Member>& members() const override {
        static const std::vector<Member> table{
            {L"Name", kGet, 0}, {L"ID", kGet, 0}, {L"RootFolder", kGet, 0}};
        return table;
    }
    HRESULT invoke(DISPID id, const std::vector<const VARIANT*>&, VARIANT& result, EXCEPINFO*,
                   UINT*) override {
        if (id == 1) {
            setText(result, store_.name);
        } else if (id == 2) {
            setId(result, store_.id, referenced_);
        } else {
            setObject(result, store_.root ? new FolderObject(*store_.root) : nullptr);
        }
        return S_OK;
    }

private:
    const Store& store_;
    VARIANT referenced_;
};

class StoreCollection final : public Dispatch {
protected:
    const std::vector<Member>& members() const override {
        static const std::vector<Member> table{{L"Count", kGet, 0}, {L"Item", kGet | kMethod, 1}};
        return table;
    }
    HRESULT invoke(DISPID id, const std::vector<const VARIANT*>& arguments, VARIANT& result,
                   EXCEPINFO*, UINT* badArgument) override {
        const auto& all = stores();
        if (id == 1) {
            setNumber(result, static_cast<LONG>(all.size()));
            return S_OK;
        }
        VARIANT index;
        VariantInit(&index);
        if (FAILED(VariantChangeType(&index, const_cast<VARIANT*>(arguments[0]), 0, VT_I4))) {
            *badArgument = 0;
            return DISP_E_TYPEMISMATCH;
        }
        const bool inside = index.lVal >= 1 && static_cast<std::size_t>(index.lVal) <= all.size();
        setObject(result, inside ? new StoreObject(all[index.lVal - 1]) : nullptr);
        return S_OK;
    }
};

class Session final : public Dispatch {
protected:
    const std::vector<Member>& members() const override {
        static const std::vector<Member> table{
            {L"Logon", kMethod, 3}, {L"InfoStores", kGet, 0}, {L"Logoff", kMethod, 0}};
        return table;
    }
    HRESULT invoke(DISPID id, const std::vector<const VARIANT*>& arguments, VARIANT& result,
                   EXCEPINFO* info, UINT* badArgument) override {
        if (id == 1) {
            return logon(arguments, info, badArgument);
        }
        if (id == 2) {
            if (!loggedOn_) {
                return raise(info, kNotInitialized, 0, L"Collaboration Data Objects",
                             L"The session is not logged on. "
                             L"[Collaboration Data Objects - [MAPI_E_NOT_INITIALIZED(80040605)]]");
            }
            setObject(result, new StoreCollection);
            return S_OK;
        }
        loggedOn_ = false;
        return S_OK;
    }

private:
    // The argument kinds are checked strictly: a caller that sends them in the wrong order
    // or converted to something else fails here.
    HRESULT logon(const std::vector<const VARIANT*>& arguments, EXCEPINFO* info,
                  UINT* badArgument) {
        const VARTYPE expected[] = {VT_BSTR, VT_BSTR, VT_BOOL};
        for (UINT i = 0; i < 3; ++i) {
            if (arguments[i]->vt != expected[i]) {
                *badArgument = 2 - i;
                return DISP_E_TYPEMISMATCH;
            }
        }
        const std::wstring profile(arguments[0]->bstrVal, SysStringLen(arguments[0]->bstrVal));
        if (arguments[2]->boolVal != VARIANT_FALSE) {
            return raise(info, 0, 1000, nullptr, L"No logon dialog here");
        }
        if (profile != L"Scripted") {
            return raise(info, kLogonFailed, 0, L"Collaboration Data Objects",
                         L"The profile \"" + profile +
                             L"\" refused the logon. [MAPI 1.0 - [MAPI_E_LOGON_FAILED(80040111)]]");
        }
        loggedOn_ = true;
        return S_OK;
    }

    bool loggedOn_ = false;
};

// --- Class factory ---------------------------------------------------------------------

class SessionFactory final : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (riid == IID_IUnknown || riid == IID_IClassFactory) {
            *object = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // One static factory: references do not decide its life.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override {
        *object = nullptr;
        if (outer) {
            return CLASS_E_NOAGGREGATION;
        }
        Session* session = new Session;
        const HRESULT status = session->QueryInterface(riid, object);
        session->Release();
        return status;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        serverLocks += lock ? 1 : -1;
        return S_OK;
    }
};

}  // namespace

extern "C" {

HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID classId, REFIID riid, void** object) {
    static SessionFactory factory;
    if (classId != testsupport::kScriptedMapiClass) {
        *object = nullptr;
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    return factory.QueryInterface(riid, object);
}

HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return liveObjects == 0 && serverLocks == 0 ? S_OK : S_FALSE;
}

LONG STDAPICALLTYPE ScriptedMapiLiveObjects() {
    return liveObjects;
}
}
