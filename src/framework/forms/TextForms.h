#pragma once
// Text form descriptions: a form's designed layout as text (`object Name: TClass`, property
// lines, nested objects, `end`), read through the property tables and the class registry, and
// written back from a live form with only the values that differ from their defaults.

#include "framework/classes/Component.h"
#include "framework/rtl/Exceptions.h"

#include <string>
#include <string_view>

namespace framework {

// A description that cannot be read. The message names the file, the line and, when the fault
// lies in a property, the component and property ("Button1.Font.Name").
class ETextFormError : public EReadError {
public:
    ETextFormError(std::string fileName, int line, std::string propertyPath, const std::string& reason);
    std::string FileName;
    int Line;
    std::string PropertyPath;  // empty when the fault is not in a property
    std::string Reason;
};

// Reads a description into Root (a form filling itself with its designed layout; called once
// per class level, the base class's layout first, for a descendant whose own layout starts
// with `inherited`). The top object must name Root's class or an ancestor of it; `inherited`
// objects inside name components Root already owns. Every component read carries csLoading
// and csReading while its properties are set; csReading goes when the component is read,
// and once every reference is resolved each gets Loaded, Root first. On failure it raises
// ETextFormError; every component the read created is freed again.
void ReadTextForm(std::string_view Text, TComponent* Root, const std::string& FileName = {});
// Builds a new component of the class the top object names (found by GetClass), owned by
// Owner, from the description. On failure nothing of it is left.
TComponent* CreateFromTextForm(std::string_view Text, TComponent* Owner, const std::string& FileName = {});
// The same from a file; a file that cannot be read raises EFOpenError.
void ReadTextFormFile(const std::string& FileName, TComponent* Root);
TComponent* CreateFromTextFormFile(const std::string& FileName, TComponent* Owner);

// The description of Root and everything it owns: the stored properties that differ from their
// defaults, child controls inside their parents, other components at the top level.
std::string WriteTextForm(const TComponent* Root);

// Registers the framework's component classes, so that descriptions can name them. The reader
// calls it; calling it again does nothing.
void RegisterFrameworkClasses();

}  // namespace framework
