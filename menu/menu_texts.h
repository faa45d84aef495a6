// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every text the record table's check and its file show the player, exactly as the player reads
// them.

#include <cstdint>
#include <string>
#include <string_view>

namespace crestaverde::texts {

// The name box of a record. Its field starts with the second text, which, confirmed unchanged,
// counts as no name.
inline constexpr std::string_view kNamePrompt = "HA BATIDO UN RECORD!!!";
inline constexpr std::string_view kNamePrefilled = "Introduzca su nombre";

inline constexpr std::string_view kNoRecord = "CONSIGA MÁS PUNTOS LA PRÓXIMA VEZ";
inline constexpr std::string_view kNoRecordTitle = "NO HAY RECORD!!!";

inline constexpr std::string_view kTableUnreadable =
    "No se ha podido leer el archivo de récords (record.ini). La tabla empieza vacía y el archivo "
    "no se modificará en esta partida.";
inline constexpr std::string_view kTableUnsaved =
    "No se han podido guardar las puntuaciones en el archivo de récords (record.ini).";
// Follows kTableUnsaved when the wait for another copy's lock ran out.
inline constexpr std::string_view kTableLockedReason =
    " Otro programa lo ha tenido bloqueado hasta el final.";

// Said before any name is asked for, since no name could be kept.
[[nodiscard]] inline std::string scoreUnsavable(std::int32_t score) {
    return "Su puntuación de " + std::to_string(score) +
           " puntos no se puede guardar, porque no se ha podido leer el archivo de récords "
           "(record.ini).";
}

}  // namespace crestaverde::texts
