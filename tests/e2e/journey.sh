# SPDX-License-Identifier: GPL-3.0-or-later
# The keys of a game from the menu to the abandon question's Yes, shared by the end-to-end
# scripts. The caller defines wait_box, which waits for the next box to be up.

play_and_abandon() {
    xdotool key Return                  # Jugar
    wait_box
    xdotool key Return                  # NIVEL 1
    sleep 0.3
    wait_box
    xdotool key Return                  # Empieza
    sleep 0.5
    xdotool key alt+a                   # Abandonar
    wait_box
    xdotool key Return                  # Sí, the default answer
    sleep 0.5
}
