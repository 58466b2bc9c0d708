#pragma once
// The vendor packs' component classes, registered so that form descriptions can name them.

namespace vendor {

// Registers every vendor component class; calling it again does nothing.
void RegisterVendorClasses();

}  // namespace vendor
