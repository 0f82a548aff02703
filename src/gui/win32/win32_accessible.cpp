// What a screen reader announces for a gadget. The Boxes are buttons without a caption (their
// text is painted on the canvas) and the Connectors check boxes without one, so each gets its
// name as a dynamic annotation of its control (IAccPropServices): the name a screen reader reads
// through the control's accessible object (AccessibleObjectFromWindow, get_accName).
#include "win32_state.h"

#include <oleacc.h>

namespace win32layer {
namespace {

// CLSID_CAccPropServices, which MinGW's import libraries leave out.
constexpr CLSID AccPropServicesClass = {
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};

IAccPropServices* Services() {
    static IAccPropServices* services = [] {
        IAccPropServices* made = nullptr;
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); // kept for the run
        if (FAILED(CoCreateInstance(AccPropServicesClass, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IAccPropServices, reinterpret_cast<void**>(&made))))
            made = nullptr;
        return made;
    }();
    return services;
}

} // namespace

// Annotations live beside the control and must go before it does.
void ForgetAccessibleName(HWND control) {
    MSAAPROPID name = PROPID_ACC_NAME;
    if (IAccPropServices* services = Services())
        services->ClearHwndProps(control, OBJID_CLIENT, CHILDID_SELF, &name, 1);
}

} // namespace win32layer

using namespace win32layer;

void SetGadgetAccessibleName(int number, const Text& name) {
    GadgetEntry* gadget = GadgetOf(number);
    if (!gadget || gadget->accessibleName == name) return; // every refresh names every Box again
    gadget->accessibleName = name;
    if (IAccPropServices* services = Services())
        services->SetHwndPropStr(gadget->hwnd, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME,
                                 WideText(name).c_str());
}
