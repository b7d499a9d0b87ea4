// Normalisation: keeps the definition consistent before it is saved or generated and after
// it is read. Never reports anything; repairs in place.
#pragma once

#include "model/definition.h"

namespace fw {

void NormaliseLengths(Definition& d);
void NormaliseMenusAndLines(Definition& d);
void NormaliseSettings(Definition& d);
// The three passes in order.
void NormaliseDefinition(Definition& d);
// The form fix-up run by the form page's commit after NormaliseLengths.
void FixUpForms(Definition& d);

}  // namespace fw
