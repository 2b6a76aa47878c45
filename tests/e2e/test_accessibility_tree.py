"""What the desktop sees of Arcandel's window: the class and icon it gives the window
manager, and, over AT-SPI, what an assistive technology reads: the sidebar sections, the
toolbar, the spoken label and hint of every card slot of a Celtic cross before and after
each card is turned (turned through the accessibility actions, as a screen reader would),
the patterns section: its figures, its lists and its charts as text, walked and used from
the keyboard down to reopening a reading, and the three buttons of a saved reading's row in
the history, found and pressed by name."""

import json
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import virtual_desktop as ds  # noqa: E402
import x11_window  # noqa: E402

SOURCE_DIR = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
APP_ID = "org.arcandel.Arcandel"
SECTIONS = ["Mesa de lectura", "Mis tiradas", "Los 22 arcanos", "Patrones", "Métodos y fuentes"]
CELTIC_TITLES = ["Situación", "Lo que cruza", "Raíz", "Pasado reciente", "Aspiración",
                 "Próximo paso", "Tu actitud", "Entorno", "Deseos y temores", "Panorama"]


def saved_reading(number, spread, cards, question):
    return {"id": f"00000000-0000-4000-8000-{number:012d}", "date": 740000000.0 - 86400 * number,
            "spread": spread, "question": question, "topic": "General",
            "cards": [{"arcanaID": card, "reversed": reversed} for card, reversed in cards],
            "reader": "", "revealed": len(cards), "notes": "", "favorite": False,
            "interpretations": ["Texto."] * len(cards), "synthesis": "Síntesis."}


# El Loco is the only card seen twice; the newest reading that holds it is the timeline.
HISTORY = [saved_reading(1, "timeline", [(0, False), (3, False), (21, False)],
                         "¿Hacia dónde voy?"),
           saved_reading(2, "daily", [(16, False)], ""),
           saved_reading(3, "guidance", [(5, False), (0, True), (19, False)], "¿Qué cuido?")]


def state_document():
    preferences = {"name": "", "deck": "Marsella · Quintrel", "spread": "celtic",
                   "reversals": True, "animations": False, "sound": False, "autoSave": False,
                   "theme": "Medianoche", "onboardingDone": True}
    return {"preferences": preferences, "history": HISTORY}


def press(node):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    ds.check("Press" in names, f"{node.name!r} offers no press action: {names}")
    action.doAction(names.index("Press"))


def desktop_entry():
    entry = {}
    with open(os.path.join(SOURCE_DIR, "data", APP_ID + ".desktop"), encoding="utf-8") as f:
        for line in f:
            if "=" in line and not line.startswith("#"):
                key, value = line.rstrip("\n").split("=", 1)
                entry[key] = value
    return entry


def check_window_identity(desktop, app, frame):
    """The launcher can tie the window to its entry, and the window shows our icon."""
    window = ds.wait_until(lambda: app.x_window_of(frame), "the main X window")
    display = desktop.env["DISPLAY"]
    entry = desktop_entry()
    ds.check(entry["Icon"] == APP_ID, f"the desktop entry names the icon {entry['Icon']!r}")
    instance, window_class = x11_window.wm_class(display, window)
    ds.check(window_class == entry["StartupWMClass"],
             f"WM_CLASS is {instance!r}, {window_class!r}; the entry expects "
             f"{entry['StartupWMClass']!r}")
    pictures = x11_window.icons(display, window)
    for size in (16, 32, 48, 64):
        ds.check((size, size) in pictures, f"no {size}x{size} window icon: {sorted(pictures)}")
    width, height, expected = x11_window.read_png_rgba(os.path.join(
        SOURCE_DIR, "data", "icons", "hicolor", "48x48", "apps", APP_ID + ".png"))
    ds.check(x11_window.same_picture(pictures[(width, height)], expected),
             "the 48 pixel window icon is not the application icon")


def children(node):
    return [node.getChildAtIndex(i) for i in range(node.childCount)]


def check_patterns(app, sidebar, deck_names):
    """The patterns section read as text and used from the keyboard alone."""
    import pyatspi

    # From the sidebar with the arrow keys: Patrones is three rows below the table.
    # A list's current row reads as focused even when the list is not: ask for the list.
    app.tab_to("the sidebar", lambda n: n.getRole() == pyatspi.ROLE_LIST and n.name == "Secciones")
    app.key("Down", "Down", "Down")
    app.wait_for("the patterns title", pyatspi.ROLE_LABEL, "Patrones")
    # On Linux a combo box is named by its value and labelled by a relation.
    [span] = app.find_all(pyatspi.ROLE_COMBO_BOX, "Todo")
    labels = [relation.getTarget(i).name for relation in span.getRelationSet()
              if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY
              for i in range(relation.getNTargets())]
    ds.check(labels == ["Periodo"], f"the span picker is labelled by {labels}")
    for figure in ("Tiradas: 3", "Cartas: 7", "Invertidas: 1, el 14\u00a0% de las cartas",
                   "Favoritas: 0"):
        ds.check(app.find_all(pyatspi.ROLE_LABEL, figure), f"no figure {figure!r}")

    [ranking] = app.find_all(pyatspi.ROLE_LIST, "Las cartas que vuelven")
    ds.check(ranking.description.startswith("Por azar, cada arcano aparecería unas "),
             f"the ranking describes itself as {ranking.description!r}")
    rows = [row.name for row in children(ranking) if row.getRole() == pyatspi.ROLE_LIST_ITEM]
    ds.check(len(rows) == 22, f"{len(rows)} cards ranked")
    ds.check(rows[0] == "El Loco: 2 veces, 1 invertida", f"first card: {rows[0]!r}")
    for row in rows:
        ds.check(row.split(": ")[0] in deck_names, f"{row!r} names no card of the deck")

    # Every chart reads its content, and each bar is a named child.
    for name, bars in (("Familias simbólicas", 6), ("Ámbitos de tus preguntas", 4),
                       ("Tiradas usadas", 5),
                       (lambda n: n.startswith("Ritmo: tiradas por "), None)):
        [chart] = app.find_all(pyatspi.ROLE_CHART, name, showing=False)
        named = [bar.name for bar in children(chart)]
        ds.check(named and (bars is None or len(named) == bars), f"{chart.name}: bars {named}")
        ds.check(all(bar and bar in chart.description for bar in named),
                 f"{chart.name} describes itself as {chart.description!r}, bars {named}")

    # Return on the chosen card goes to its trail, Return on a reading reopens it.
    app.tab_to("the ranking", lambda n: n.getRole() == pyatspi.ROLE_LIST
               and n.name == "Las cartas que vuelven")
    app.key("Return")
    [trail] = app.wait_for("El Loco's trail", pyatspi.ROLE_LIST, "Tiradas con El Loco")
    stops = [row.name for row in children(trail) if row.getRole() == pyatspi.ROLE_LIST_ITEM]
    ds.check(len(stops) == 2 and stops[0].startswith("¿Hacia dónde voy?, ")
             and stops[1].startswith("¿Qué cuido?, ") and stops[1].endswith(", invertida"),
             f"the trail lists {stops}")
    app.key("Return")
    app.wait_for("the reopened reading", pyatspi.ROLE_PUSH_BUTTON,
                 "1, Pasado, El Loco, al derecho")
    [row] = [row for row in children(sidebar) if row.name == "Mesa de lectura"]
    ds.check(row.getState().contains(pyatspi.STATE_SELECTED), "the table is not shown")


def check_history_row(app, sidebar, state_path):
    """The star, the bin and the way back of the newest reading's row in the history, found
    and pressed by name, as a screen reader would."""
    import pyatspi

    app.tab_to("the sidebar", lambda n: n.getRole() == pyatspi.ROLE_LIST and n.name == "Secciones")
    app.key("Home", "Down")
    [history] = app.wait_for("the history list", pyatspi.ROLE_LIST, "Mis tiradas")
    buttons = {button.name: button for button in children(children(history)[0])}
    ds.check(list(buttons) == ["Volver a esta tirada", "Marcar como favorita", "Eliminar tirada"],
             f"the row's buttons: {list(buttons)}")
    saved = lambda: ds.state_file_json(state_path)[1]["history"]
    press(buttons["Marcar como favorita"])
    ds.wait_until(lambda: any(reading["favorite"] for reading in saved()),
                  "the reading to become a favourite")
    press(buttons["Eliminar tirada"])
    [cancel] = app.wait_for("the confirmation", pyatspi.ROLE_PUSH_BUTTON, "Cancelar")
    press(cancel)
    ds.wait_until(lambda: not app.find_all(pyatspi.ROLE_PUSH_BUTTON, "Cancelar"),
                  "the confirmation to close")
    press(buttons["Volver a esta tirada"])
    ds.wait_until(lambda: children(sidebar)[0].getState().contains(pyatspi.STATE_SELECTED),
                  "the reading back on the table")
    ds.check(len(saved()) == len(HISTORY), "cancelling the deletion deleted the reading")


def test(desktop, arguments):
    import pyatspi

    with open(os.path.join(SOURCE_DIR, "src", "Resources", "arcana.json"), encoding="utf-8") as f:
        deck_names = {card["name"] for card in json.load(f)}

    state_path = desktop.path("state.json")
    with open(state_path, "w", encoding="utf-8") as handle:
        json.dump(state_document(), handle, ensure_ascii=False)
    app = ds.App(desktop, arguments.app, ["--data-path", state_path])
    try:
        frame = app.activate("Arcandel")
        ds.check(not app.find_all(pyatspi.ROLE_DIALOG), "a sheet opened after onboarding")
        check_window_identity(desktop, app, frame)

        # The sidebar: one list with the four sections, in order, the table selected.
        [sidebar] = app.wait_for("the sidebar list", pyatspi.ROLE_LIST, "Secciones")
        rows = [row for row in children(sidebar) if row.getRole() == pyatspi.ROLE_LIST_ITEM]
        ds.check([row.name for row in rows] == SECTIONS,
                 f"sidebar sections: {[row.name for row in rows]}")
        ds.check(rows[0].getState().contains(pyatspi.STATE_SELECTED),
                 "the reading table is not the selected section")
        [settings] = app.find_all(pyatspi.ROLE_PUSH_BUTTON, "Configuración de la tirada")

        # The toolbar: "Nueva tirada" then "Configuración", both buttons that can be pressed.
        [toolbar] = app.find_all(pyatspi.ROLE_TOOL_BAR)
        buttons = [node for node in children(toolbar) if node.getRole() ==
                   pyatspi.ROLE_PUSH_BUTTON]
        ds.check([button.name for button in buttons] == ["Nueva tirada", "Configuración"],
                 f"toolbar buttons: {[button.name for button in buttons]}")
        for button in buttons + [settings]:
            ds.check(button.getState().contains(pyatspi.STATE_ENABLED),
                     f"{button.name!r} is disabled")

        # The ritual through accessibility actions: shuffle, then cut at the first third.
        [shuffle] = app.wait_for("the shuffle button", pyatspi.ROLE_PUSH_BUTTON,
                                 "Barajar y preparar la tirada")
        press(shuffle)
        [cut] = app.wait_for("the first cut place", pyatspi.ROLE_PUSH_BUTTON, "Primer tercio")
        press(cut)

        def slots():
            found = {}
            for node in app.find_all(pyatspi.ROLE_PUSH_BUTTON):
                for index, title in enumerate(CELTIC_TITLES):
                    if node.name.startswith(f"{index + 1}, {title}, "):
                        found[index] = node
            return found if len(found) == 10 else None

        def check_board(revealed):
            # A fresh walk of the tree each time, so nothing read earlier is reused.
            board = slots()
            ds.check(board is not None, "the board no longer has ten card slots")
            for index, title in enumerate(CELTIC_TITLES):
                slot = board[index]
                prefix = f"{index + 1}, {title}, "
                label, hint = slot.name, slot.description
                if index < revealed:
                    rest = label[len(prefix):]
                    ds.check(rest.endswith(", al derecho") or rest.endswith(", invertida"),
                             f"face-up slot says {label!r}")
                    card = rest.rsplit(", ", 1)[0]
                    ds.check(card in deck_names, f"{card!r} in {label!r} is no card of the deck")
                else:
                    ds.check(label == prefix + "carta boca abajo", f"face-down slot: {label!r}")
                wanted_hint = "Descubrir carta" if index == revealed else "Leer interpretación"
                ds.check(hint == wanted_hint, f"slot {index + 1} with {revealed} turned has "
                         f"the hint {hint!r}, not {wanted_hint!r}")
                # Only the face-up cards and the next one can be pressed.
                enabled = slot.getState().contains(pyatspi.STATE_ENABLED)
                ds.check(enabled == (index <= revealed),
                         f"slot {index + 1} with {revealed} turned is "
                         f"{'enabled' if enabled else 'disabled'}")
            return True

        ds.wait_until(slots, "ten card slots")
        check_board(0)
        for index in range(10):
            press(slots()[index])
            ds.wait_until(lambda i=index: not slots()[i].name.endswith("carta boca abajo"),
                          f"card {index + 1} to turn")
            check_board(index + 1)
        board = slots()
        names = {board[i].name.split(", ")[2] for i in range(10)}
        ds.check(len(names) == 10, "two slots show the same card")

        app.activate("Arcandel")
        check_patterns(app, sidebar, deck_names)
        check_history_row(app, sidebar, state_path)
        app.activate("Arcandel")  # the confirmation that closed held the focus
        app.key("ctrl+q")
        ds.check(app.wait_exit() == 0, "Arcandel did not exit cleanly:\n" + app.output())
    finally:
        app.stop()


if __name__ == "__main__":
    ds.run(test)
