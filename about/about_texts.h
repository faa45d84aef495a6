// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every text the about and help windows show the player, exactly as the player reads them, and
// the reasons the clip's reader gives for a clip it cannot play, which end the help window's box.

#include <string>
#include <string_view>

namespace crestaverde::texts {

// The about window: its caption and version label put the application's title and version
// after these.
inline constexpr std::string_view kAboutWindowTitlePrefix = "Acerca de ";
inline constexpr std::string_view kVersionPrefix = "Versión ";
inline constexpr std::string_view kDescription =
    "Gracias por haber descargado este juego. Espero que lo disfrutes sin gastarte un duro en la "
    "maquina del \"zurano\".DISFRUTALO";
inline constexpr std::string_view kCredit =
    "Cartas, dibujos y programa: el equipo de CRESTAVERDE. Hecho con C++ y Qt 6 para Debian.";
inline constexpr std::string_view kSystemInfoButtonText = "&Info. del sistema...";
inline constexpr std::string_view kSystemInfoUnavailable =
    "La información del sistema no está disponible en este momento";

// The help window. The rules' box opens with this many spaces, so the rules start on its second
// line.
inline constexpr std::string_view kHelpWindowTitle = "Ayuda";
inline constexpr std::string_view kRulesHeading = "Reglas        del juego:";
inline constexpr int kRulesLeadingSpaces = 39;
inline constexpr std::string_view kRules =
    "El juego consiste en hacer click en las cartas cuyo valor sea superior en uno a la carta "
    "situada al lado de la baraja. La carta situada en las torres se situara donde estaba la "
    "carta anterior. La misión del juego es quitar todas las cartas.";

[[nodiscard]] inline std::string clipUnplayable(std::string_view shownPath,
                                                std::string_view reason) {
    return "No se puede reproducir el vídeo de la ayuda (" + std::string(shownPath) +
           "): " + std::string(reason) + ".";
}

// Why a clip cannot be played: each follows "the clip ..." in the help window's box.
inline constexpr std::string_view kClipCannotOpen = "no se puede abrir";
inline constexpr std::string_view kClipNoVideo = "no tiene vídeo";
inline constexpr std::string_view kClipUnreadableVideo = "no tiene vídeo legible";
inline constexpr std::string_view kClipNoFrames = "no tiene imágenes";
inline constexpr std::string_view kClipDamagedFrames = "tiene imágenes dañadas";
inline constexpr std::string_view kClipImpossibleSize = "tiene un tamaño imposible";
inline constexpr std::string_view kClipUnknownPictureFormat =
    "usa un formato de imagen desconocido";
inline constexpr std::string_view kClipUndecodable = "no se puede descodificar";
inline constexpr std::string_view kClipTooLarge = "es demasiado grande";
inline constexpr std::string_view kClipTooLong = "es demasiado largo";
inline constexpr std::string_view kClipCancelled = "se canceló";

}  // namespace crestaverde::texts
