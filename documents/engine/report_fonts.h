// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include "documents/engine/report_template.h"

#include <QFont>
#include <QString>
#include <QStringList>

namespace quadrelo::report {

// The installed faces that may stand for a family a template names, best first:
// "Arial" → Liberation Sans, "Times New Roman" → Liberation Serif, "ISOCTEUR" → Liberation Mono
// or DejaVu Sans Mono. A family with no stand-ins has only itself.
QStringList standInFamilies(const QString& family);

// The first stand-in the font database really has; the family itself when it has none.
QString resolveFamily(const QString& family);

// The face a template's text is set in. Hinting is off so that advances scale linearly and a
// text measures the same at every resolution. Also registers the stand-ins as substitutions,
// so that any QFont naming "Arial" finds the same face.
QFont resolveFont(const FontSpec& descriptor);

// Whether every character of `sample` has the same advance in `font`.
bool isMonospaced(const QFont& font, const QString& sample = QStringLiteral("|_iWm0123456789/,.X "));

} // namespace quadrelo::report
