// The qualified-name pass: the unit's package, imports and QUALIFIEDS.
#include "caldrex/qualnames.h"

#include <cstring>

#include "caldrex/messages.h"
#include "caldrex/searchpath.h"
#include "support/startup.h"

NameList SingleTypeImports;
NameList OnDemandImports;
NameList Qualifieds;
Identifier* DotIdentifier = nullptr;

namespace {

int32_t QualifiedNamesInitFlag = 0;

Identifier* StarIdentifier = nullptr;
Identifier* JavaLangObject = nullptr;
Identifier* JavaLang = nullptr;

}  // namespace

void QualifiedNamesModuleInit() {
  if (!EnterModuleInit(QualifiedNamesInitFlag)) return;
  InitSearchPath();
  DotIdentifier = IdentifierOf(".");
  StarIdentifier = IdentifierOf("*");
  JavaLangObject = IdentifierOf(JavaLangObjectText);
  JavaLang = IdentifierOf(JavaLangText);
}

void ResetUnitNameLists() {
  ClearNameList(SingleTypeImports);
  AppendName(SingleTypeImports, JavaLangObject);
  ClearNameList(OnDemandImports);
  AppendName(OnDemandImports, EmptyIdentifier);
  AppendName(OnDemandImports, JavaLang);
  ClearNameList(Qualifieds);
}

void AddUnitPackage(Identifier* package) { PrependName(OnDemandImports, package); }

void AddImportText(Identifier* dottedName) {
  int32_t dot = -1;
  if (const char* at = std::strrchr(dottedName->text, '.')) dot = static_cast<int32_t>(at - dottedName->text);
  if (dot >= 0 && std::strcmp(dottedName->text + dot + 1, StarIdentifier->text) == 0) {
    AppendName(OnDemandImports, MakeIdentifier(dottedName->text, 0, dot - 1));
  } else {
    AppendName(SingleTypeImports, dottedName);
  }
}
