// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

// Designer names of the main window's controls that hold practice state.
// One list per kind, expanded where a member, a name table or a loop over them is needed.

// clang-format off
#define QUADRELO_EDITS(X) \
    X(Edit1) X(Edit2) X(Edit3) X(Edit4) X(Edit5) X(Edit6) X(Edit7) X(Edit8) \
    X(Edit9) X(Edit10) X(Edit11) X(Edit12) X(Edit13) X(Edit14) X(Edit15) X(Edit16) \
    X(Edit17) X(Edit18) X(Edit19) X(Edit20) X(Edit21) X(Edit22) X(Edit23) X(Edit24) \
    X(Edit25) X(Edit26) X(Edit27) X(Edit28) X(Edit29) X(Edit30) X(Edit31) X(Edit32) \
    X(Edit33) X(Edit34) X(Edit35) X(Edit36) X(Edit40) X(Edit41) X(Edit42) X(Edit43) \
    X(Edit44) X(Edit45) X(Edit46) X(Edit47) X(Edit48) X(Edit49) X(Edit50) X(Edit51) \
    X(Edit60) X(Edit61) X(Edit62) X(Edit63) X(Edit64) X(Edit65) X(Edit66) X(Edit67)

#define QUADRELO_CAPTIONS(X) \
    X(Label18) X(Label30) X(Label34) X(Label35) X(Label36) X(Label37) X(Label38) X(Label39) \
    X(Label40) X(Label41) X(Label42) X(Label43) X(Label44) X(Label48) X(Label52) X(Label53) \
    X(Label54) X(Label55) X(Label56) X(Label57) X(Label58) X(Label59) X(Label60) X(Label61) \
    X(Label62) X(Label63) X(Label66) X(Label70) X(Label71) X(Label72) X(Label74) X(Label76) \
    X(Label77) X(Label79) X(Label80) X(Label81) X(Label82) X(Label84) X(Label86) X(Label90) \
    X(Label91) X(Label92) X(Label94) X(Label95) X(Label96) X(Label98) X(Label99) X(Label100) \
    X(Label103) X(Label104) X(Label105) X(Label106) X(Label107) X(Label108) X(Label109) X(Label110) \
    X(Label111) X(Label112) X(Label113) X(Label114) X(Label116) X(Label117) X(Label118) X(Label125) \
    X(Label126) X(Label129) X(Label132) X(Label134) X(Label137) X(Label138) X(Label139) X(Label142) \
    X(Label145) X(Label147) X(Label150) X(Label152) X(Label156) X(Label157) X(Label158) X(Label159) \
    X(Label160) X(Label161) X(Label162) X(Label163) X(Label164) X(Label166) X(Label167) X(Label168) \
    X(Label170) X(Label174) X(Label175) X(Label176) X(Label177) X(Label178) X(Label179) X(Label180) \
    X(Label181) X(Label182) X(Label184) X(Label185) X(Label186)

#define QUADRELO_CHECKS(X) \
    X(CheckBox1) X(CheckBox2) X(CheckBox3) X(CheckBox4) X(CheckBox5) X(CheckBox6) X(CheckBox7) X(CheckBox8) \
    X(CheckBox9) X(CheckBox10) X(CheckBox11) X(CheckBox12) X(CheckBox13)

#define QUADRELO_RADIOS(X) \
    X(RadioButton1) X(RadioButton2) X(RadioButton3) X(RadioButton4) X(RadioButton5) X(RadioButton6) X(RadioButton7) X(RadioButton8) \
    X(RadioButton9) X(RadioButton10) X(RadioButton11) X(RadioButton12) X(RadioButton13) X(RadioButton14) X(RadioButton15) X(RadioButton16) \
    X(RadioButton17)

#define QUADRELO_COMBOS(X) \
    X(ComboBox1) X(ComboBox2) X(ComboBox3) X(ComboBox4)

#define QUADRELO_DATES(X) \
    X(DateTimePicker1) X(DateTimePicker2) X(DateTimePicker3)

#define QUADRELO_MEMOS(X) \
    X(Memo1) X(Memo2)
// clang-format on
