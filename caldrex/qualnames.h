// The qualified-name pass: what one compilation unit uses of other units.
//
// The pass walks the unit once and collects its package, its single-type
// imports, its on-demand imports and QUALIFIEDS, the dotted names that may
// name a type. To tell type names from variable and method names it marks
// every name node with a use mark as it meets it (type 1, expression 2,
// method 3, qualifier of a type 4, unmarked 5) and asks the scopes whether
// the first component of a name is a variable.
#pragma once

#include "caldrex/namelist.h"
#include "support/identifiers.h"

// The unit's lists (entries are Identifiers), rebuilt for every unit.
extern NameList SingleTypeImports;  // starts as [java.lang.Object]
extern NameList OnDemandImports;    // starts as [EmptyIdentifier, java.lang]; the package in front
extern NameList Qualifieds;         // names in the order the walk meets them

// The Identifier "." that joins name components.
extern Identifier* DotIdentifier;

// Once-only init of the pass's identifiers.
void QualifiedNamesModuleInit();

// The three start values above.
void ResetUnitNameLists();

// Puts the unit's dotted package name in front of OnDemandImports.
void AddUnitPackage(Identifier* package);

// Books an import by its dotted name: p.q.R as a single-type import, p.q.*
// as the on-demand import of p.q.
void AddImportText(Identifier* dottedName);
