#include "platform/win32/ComApartment.h"

#include <objbase.h>

namespace platform {

std::shared_ptr<ComApartment> ComApartment::shared() {
    // Objects hold the apartment too, so one that outlives this static at exit is still
    // released before the apartment is left.
    static std::shared_ptr<ComApartment> apartment(new ComApartment);
    return apartment;
}

ComApartment::ComApartment() {
    // S_FALSE (the toolkit entered the apartment first) counts too and is balanced as well.
    entered_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

ComApartment::~ComApartment() {
    if (entered_) {
        CoUninitialize();
    }
}

}  // namespace platform
