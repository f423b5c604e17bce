// The factory of the load-securing wizard: the program's sheet unless another was set.
#include "loadsecuring/ISecuringWizard.h"

#include "loadsecuring/CLgSichgWizardLink.h"

namespace {

ISecuringWizard::Factory& Slot()
{
    static ISecuringWizard::Factory factory = &CLgSichgWizardLink::Make;
    return factory;
}

} // namespace

const ISecuringWizard::Factory& ISecuringWizard::CurrentFactory()
{
    return Slot();
}

void ISecuringWizard::SetFactory(Factory factory)
{
    Slot() = factory ? std::move(factory) : Factory(&CLgSichgWizardLink::Make);
}
