// An in-process COM server that stands in for Collaboration Data Objects ("MAPI.Session"), so
// that the Windows suites reach it through registration, class factory, IDispatch by name,
// VARIANTs and EXCEPINFO. Members are found without regard to case; call flags and argument
// counts are checked.

#include <windows.h>

#include <oleauto.h>

#include <atomic>
#include <string>
#include <vector>

namespace {

std::atomic<LONG> liveObjects{0};

constexpr WORD kGet = DISPATCH_PROPERTYGET;
constexpr WORD kMethod = DISPATCH_METHOD;
constexpr wchar_t kCdo[] = L"Collaboration Data Objects";

// An identifier comes back as text, VT_I4, bytes given in hex, or text by reference.
enum class Form { Text, Number, Bytes, Reference };

// A store, or a folder; a store's one child is its root folder, and the session's stores are the
// children of one more node.
struct Node {
    std::wstring name, id;
    std::vector<Node> children = {};
    Form form = Form::Text;
    bool unreadable = false;  // fetching it raises
};

const Node& infoStores() {
    // "Restricted" gives "Visible", then raises E_ACCESSDENIED with its texts filled in deferred
    // (pfnDeferredFillIn), then gives "After".
    static const Node mailbox{
        L"Top of Information Store",
        L"TOP-1",
        {{L"Inbox", L"INBOX-1"},
         {L"Sent Items", L"SENT-1", {}, Form::Reference},
         {L"Restricted",
          L"RESTR-1",
          {{L"Visible", L"RESTR-V"}, {{}, {}, {}, Form::Text, true}, {L"After", L"RESTR-A"}}},
         {L"Entw\u00fcrfe", L"4711", {}, Form::Number}}};
    static const Node publicFolders{
        L"IPM_SUBTREE",
        L"PUB-TOP",
        {{L"All Public Folders", L"0A0B0C", {{L"Notices", L"PUB-NOTICES"}}, Form::Bytes}}};
    static const Node all{
        {},
        {},
        {{L"Mailbox - Test", L"0000000038A1BB1005E5101AA1BB08002B2A56C2", {mailbox}},
         {L"Public Folders", L"001ABCEF", {publicFolders}, Form::Bytes},
         {L"Archive", L"42", {}, Form::Number}}};
    return all;
}

HRESULT setText(VARIANT& result, const std::wstring& text) {
    result.vt = VT_BSTR;
    result.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return S_OK;
}

HRESULT setNumber(VARIANT& result, std::size_t number) {
    result.vt = VT_I4;
    result.lVal = static_cast<LONG>(number);
    return S_OK;
}

// Takes over the caller's reference; null is Nothing.
HRESULT setObject(VARIANT& result, IDispatch* object) {
    result.vt = VT_DISPATCH;
    result.pdispVal = object;
    return S_OK;
}

// An identifier returned by reference points to `referenced`, which the returning object holds.
HRESULT setId(VARIANT& result, const Node& node, VARIANT& referenced) {
    if (node.form == Form::Number) {
        return setNumber(result, std::stoul(node.id));
    }
    if (node.form == Form::Reference) {
        VariantClear(&referenced);
        setText(referenced, node.id);
        result.vt = VT_BYREF | VT_VARIANT;
        result.pvarVal = &referenced;
        return S_OK;
    }
    if (node.form == Form::Text) {
        return setText(result, node.id);
    }
    const ULONG count = static_cast<ULONG>(node.id.size() / 2);
    SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, count);
    void* data = nullptr;
    SafeArrayAccessData(array, &data);
    for (ULONG i = 0; i < count; ++i) {
        static_cast<BYTE*>(data)[i] =
            static_cast<BYTE>(std::stoul(node.id.substr(2 * i, 2), nullptr, 16));
    }
    SafeArrayUnaccessData(array);
    result.vt = VT_ARRAY | VT_UI1;
    result.parray = array;
    return S_OK;
}

HRESULT raise(EXCEPINFO* info, HRESULT scode, WORD wCode, const wchar_t* source,
              const std::wstring& description) {
    *info = EXCEPINFO{};
    info->scode = scode;
    info->wCode = wCode;
    info->bstrSource = source ? SysAllocString(source) : nullptr;
    info->bstrDescription = SysAllocString(description.c_str());
    return DISP_E_EXCEPTION;
}

HRESULT STDAPICALLTYPE fillAccessDenied(EXCEPINFO* info) {
    info->scode = E_ACCESSDENIED;
    info->bstrSource = SysAllocString(kCdo);
    info->bstrDescription = SysAllocString(
        L"You do not have permission to view this folder. [MAPI 1.0 - [E_ACCESSDENIED(80070005)]]");
    return S_OK;
}

enum class Act { Logon, Stores, Logoff, Count, Item, Name, Id, Root, Folders, Class, First, Next };

struct Member {
    const wchar_t* name;
    Act act;
    WORD flags = kGet;  // the call flags it answers
    UINT arguments = 0;
};
using Members = std::vector<Member>;

const Members kSession{{L"Logon", Act::Logon, kMethod, 3},
                       {L"InfoStores", Act::Stores},
                       {L"Logoff", Act::Logoff, kMethod}};
const Members kStores{{L"Count", Act::Count}, {L"Item", Act::Item, kGet | kMethod, 1}};
const Members kStore{{L"Name", Act::Name}, {L"ID", Act::Id}, {L"RootFolder", Act::Root}};
const Members kFolder{
    {L"Folders", Act::Folders}, {L"ID", Act::Id}, {L"Name", Act::Name}, {L"Class", Act::Class}};
const Members kFolders{
    {L"Count", Act::Count}, {L"GetFirst", Act::First, kMethod}, {L"GetNext", Act::Next, kMethod}};

// One object of the tree: the session, a collection, a store or a folder, after `members`.
class Dispatch final : public IDispatch {
public:
    Dispatch(const Members& members, const Node& node) : members_(members), node_(node) {
        ++liveObjects;
        VariantInit(&referenced_);
    }
    ~Dispatch() {
        VariantClear(&referenced_);
        --liveObjects;
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        *object = riid == IID_IUnknown || riid == IID_IDispatch ? this : nullptr;
        return *object ? (AddRef(), S_OK) : E_NOINTERFACE;
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
        std::fill(ids, ids + count, DISPID_UNKNOWN);
        for (std::size_t i = 0; count == 1 && i < members_.size(); ++i) {
            if (_wcsicmp(names[0], members_[i].name) == 0) {
                ids[0] = static_cast<DISPID>(i + 1);
                return S_OK;
            }
        }
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* info, UINT* badArgument) override {
        if (riid != IID_NULL) {
            return DISP_E_UNKNOWNINTERFACE;
        }
        if (id < 1 || static_cast<std::size_t>(id) > members_.size() ||
            !(flags & members_[id - 1].flags)) {
            return DISP_E_MEMBERNOTFOUND;
        }
        if (params->cArgs != members_[id - 1].arguments) {
            return DISP_E_BADPARAMCOUNT;
        }
        std::vector<const VARIANT*> arguments;  // DISPPARAMS holds the last argument first
        for (UINT i = params->cArgs; i > 0; --i) {
            arguments.push_back(&params->rgvarg[i - 1]);
        }
        return act(members_[id - 1].act, arguments, *result, info, badArgument);
    }

private:
    HRESULT act(Act act, const std::vector<const VARIANT*>& arguments, VARIANT& result,
                EXCEPINFO* info, UINT* badArgument) {
        switch (act) {
            case Act::Logon:
                return logon(arguments, info, badArgument);
            case Act::Stores:
                return setObject(result, new Dispatch(kStores, infoStores()));
            case Act::Logoff:
                return S_OK;
            case Act::Count:
                return setNumber(result, node_.children.size());
            case Act::Item: {
                VARIANT index;
                VariantInit(&index);
                VariantChangeType(&index, const_cast<VARIANT*>(arguments[0]), 0, VT_I4);
                const bool inside = index.lVal >= 1 &&
                                    static_cast<std::size_t>(index.lVal) <= node_.children.size();
                return setObject(result, inside
                                             ? new Dispatch(kStore, node_.children[index.lVal - 1])
                                             : nullptr);
            }
            case Act::Name:
                return setText(result, node_.name);
            case Act::Id:
                return setId(result, node_, referenced_);
            case Act::Root:
                return setObject(result, node_.children.empty()
                                             ? nullptr
                                             : new Dispatch(kFolder, node_.children[0]));
            case Act::Folders:
                return setObject(result, new Dispatch(kFolders, node_));
            case Act::Class:
                return setNumber(result, 2);
            case Act::First:
                return fetch(next_ = 0, result, info);
            case Act::Next:
                return fetch(++next_, result, info);
        }
        return E_UNEXPECTED;
    }

    HRESULT fetch(std::size_t at, VARIANT& result, EXCEPINFO* info) {
        if (at >= node_.children.size()) {
            return setObject(result, nullptr);
        }
        if (node_.children[at].unreadable) {
            *info = EXCEPINFO{};
            info->pfnDeferredFillIn = fillAccessDenied;
            return DISP_E_EXCEPTION;
        }
        return setObject(result, new Dispatch(kFolder, node_.children[at]));
    }

    // The argument kinds are checked strictly: a caller that sends them in the wrong order or
    // converted to something else fails here.
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
            return raise(info, static_cast<HRESULT>(0x80040111), 0, kCdo,
                         L"The profile \"" + profile +
                             L"\" refused the logon. [MAPI 1.0 - [MAPI_E_LOGON_FAILED(80040111)]]");
        }
        return S_OK;
    }

    const Members& members_;
    const Node& node_;
    VARIANT referenced_;
    std::size_t next_ = 0;  // a folder collection's position
    std::atomic<ULONG> references_{1};
};

class SessionFactory final : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        *object = riid == IID_IUnknown || riid == IID_IClassFactory ? this : nullptr;
        return *object ? S_OK : E_NOINTERFACE;
    }
    // One static factory: references do not decide its life.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override {
        *object = nullptr;
        if (outer) {
            return CLASS_E_NOAGGREGATION;
        }
        IDispatch* session = new Dispatch(kSession, infoStores());
        const HRESULT status = session->QueryInterface(riid, object);
        session->Release();
        return status;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

}  // namespace

extern "C" {

// COM asks only for the class the registration names.
HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID, REFIID riid, void** object) {
    static SessionFactory factory;
    return factory.QueryInterface(riid, object);
}

HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return liveObjects == 0 ? S_OK : S_FALSE;
}

LONG STDAPICALLTYPE ScriptedMapiLiveObjects() {
    return liveObjects;
}
}
