"""What the desktop sees of Arcandel's window: the class and icon it gives the window
manager, and, over AT-SPI, what an assistive technology reads: the sidebar sections, the
toolbar, and the spoken label and hint of every card slot of a Celtic cross before and after
each card is turned (turned through the accessibility actions, as a screen reader would)."""

import json
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import virtual_desktop as ds  # noqa: E402
import x11_window  # noqa: E402

SOURCE_DIR = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
APP_ID = "org.arcandel.Arcandel"
SECTIONS = ["Mesa de lectura", "Mis tiradas", "Los 22 arcanos", "Métodos y fuentes"]
CELTIC_TITLES = ["Situación", "Lo que cruza", "Raíz", "Pasado reciente", "Aspiración",
                 "Próximo paso", "Tu actitud", "Entorno", "Deseos y temores", "Panorama"]


def state_document():
    preferences = {"name": "", "deck": "Marsella · Quintrel", "spread": "celtic",
                   "reversals": True, "animations": False, "sound": False, "autoSave": False,
                   "theme": "Medianoche", "onboardingDone": True}
    return {"preferences": preferences, "history": []}


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
        app.key("ctrl+q")
        ds.check(app.wait_exit() == 0, "Arcandel did not exit cleanly:\n" + app.output())
    finally:
        app.stop()


if __name__ == "__main__":
    ds.run(test)
