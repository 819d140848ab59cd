// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

// The PKCS#11 declarations alone: the module itself is the user's, loaded at run time.
#include <p11-kit/pkcs11.h>
// The header's compatibility names would rename words of ours.
#undef value
#undef value_len
#undef count
#undef parameter
#undef parameter_len
#undef params
#undef reserved
