#pragma once
// The public modulo-11 check digits of the Brazilian registry numbers: the
// CNPJ of a company (14 digits) and the CPF of a person (11 digits).
#include "text/text.h"

namespace voske {

// True when `digits` is 14 decimal digits whose last two are the CNPJ's
// check digits of the first twelve.
bool HasValidCnpjCheckDigits(TextView digits);
// True when `digits` is 11 decimal digits whose last two are the CPF's check
// digits of the first nine.
bool HasValidCpfCheckDigits(TextView digits);

}  // namespace voske
