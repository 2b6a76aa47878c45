"""Whole readings driven from the keyboard on a real X11 display: from the welcome sheet to a
drawn five-card cross saved with Ctrl+S, then a Celtic cross laid out with one's own cards,
read, saved, given a follow-up entry, exported and found by the history search. The state
file and the exported text are then read back with Python's own readers."""

import json
import os
import re
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import virtual_desktop as ds  # noqa: E402

SOURCE_DIR = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
NAME = "Lía"
QUESTION = "¿Qué puedo aprender de este vínculo?"
CROSS_TITLES = ["Apoyo", "Obstáculo", "Estado actual", "Dirección", "Síntesis"]
CELTIC_TITLES = ["Situación", "Lo que cruza", "Raíz", "Pasado reciente", "Aspiración",
                 "Próximo paso", "Tu actitud", "Entorno", "Deseos y temores", "Panorama"]
# What is typed in the card picker for each place, and the card it must find: numerals in
# the deck's and the modern form, numbers, and words typed without their accent.
OWN_CARDS = [("xiii", 13), ("ii", 2), ("mundo", 21), ("VII", 7), ("loco", 0),
             ("ermitano", 9), ("xvi", 16), ("iv", 4), ("fuerza", 11), ("19", 19)]
OWN_REVERSED = 6
OWN_QUESTION = "¿Qué necesito ver antes de cambiar de trabajo?"
FOLLOW_UP = "Hablé con Marta y fue mejor de lo que temía."
UUID = re.compile(r"^[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}$")


def deck_names():
    with open(os.path.join(SOURCE_DIR, "src", "Resources", "arcana.json"), encoding="utf-8") as f:
        return {card["id"]: card["name"] for card in json.load(f)}


def sorted_object(pairs):
    keys = [key for key, _ in pairs]
    ds.check(keys == sorted(keys), f"object members are not sorted by key: {keys}")
    return dict(pairs)


def slot_label(index):
    return lambda name: name.startswith(f"{index + 1}, {CROSS_TITLES[index]}, ")


def fill(app, what, field_name, text):
    """Tabs to the text field with this accessible name and types `text` into it."""
    import pyatspi
    field = app.tab_to(what, lambda n: n.getRole() == pyatspi.ROLE_TEXT and n.name == field_name)
    app.type(text)
    ds.wait_for_text(field, text, f"the text typed in {what}")


def own_label(index, name, reversed_card):
    orientation = "invertida" if reversed_card else "al derecho"
    return f"{index + 1}, {CELTIC_TITLES[index]}, {name}, {orientation}"


def own_deck_reading(app, desktop, state_path, names):
    """A Celtic cross laid out with one's own cards, from the form to the history search."""
    import pyatspi

    # The saved reading makes way for a new one at once.
    app.key("ctrl+n")
    fill(app, "the question field", "Tu pregunta (opcional)", OWN_QUESTION)
    app.tab_to("the spread picker", lambda n: n.getRole() == pyatspi.ROLE_COMBO_BOX
               and n.name.startswith("Cruz de cinco cartas"))
    app.key("Down")
    app.wait_for("the Celtic cross", pyatspi.ROLE_COMBO_BOX,
                 lambda name: name.startswith("Cruz celta"))
    start = app.tab_to("the own-deck button", lambda n: n.getRole() == pyatspi.ROLE_PUSH_BUTTON
                       and n.name == "Registrar mi propia tirada")
    ds.check(start.description, "the own-deck button has no description")
    app.key("space")

    # Ten empty places, and the keyboard in the grid of cards.
    for index in range(10):
        app.wait_for(f"empty place {index + 1}", pyatspi.ROLE_PUSH_BUTTON,
                     f"{index + 1}, {CELTIC_TITLES[index]}, sin carta")
    ds.wait_until(lambda: any(n.getRole() == pyatspi.ROLE_LIST_ITEM for n in app.focused_nodes()),
                  "the keyboard in the card picker")
    ds.check(not app.find_all(pyatspi.ROLE_PUSH_BUTTON, "Leer mi tirada")[0].getState()
             .contains(pyatspi.STATE_ENABLED), "«Leer mi tirada» is enabled before the end")
    for index, (typed, card) in enumerate(OWN_CARDS):
        if index == OWN_REVERSED:
            # The switch sits just before the grid.
            switch = app.tab_to("the switch Invertida", lambda n: n.name == "Invertida",
                                backwards=True)
            app.key("space")
            ds.wait_until(lambda: app.nodes() and switch.getState().contains(
                pyatspi.STATE_CHECKED), "the switch to turn on")
            app.key("Tab")
        app.type(typed)
        app.key("Return")
        app.wait_for(f"place {index + 1} holding {names[card]}", pyatspi.ROLE_PUSH_BUTTON,
                     own_label(index, names[card], index == OWN_REVERSED))

    # Complete: the keyboard waits on «Leer mi tirada».
    ds.wait_until(lambda: any(n.name == "Leer mi tirada" for n in app.focused_nodes()),
                  "the keyboard on «Leer mi tirada»")
    app.key("Return")
    app.wait_for("the reading on the table", pyatspi.ROLE_PUSH_BUTTON, "Ver síntesis")
    app.key("ctrl+s")
    ds.wait_until(lambda: len(ds.state_file_json(state_path)[1]["history"]) == 2,
                  "the own-deck reading in the state file")

    # How it unfolded: the entry is written at once.
    fill(app, "the follow-up field", "Cómo se desarrolló", FOLLOW_UP)
    app.key("ctrl+Return")
    ds.wait_until(lambda: ds.state_file_json(state_path)[1]["history"][0].get("followUps"),
                  "the follow-up entry in the state file")

    # Exported through the save dialog, typing the file's path.
    export_path = desktop.path("mi-tirada.txt")
    app.key("ctrl+e")
    app.wait_for("the export dialog", pyatspi.ROLE_DIALOG, "Exportar lectura")
    app.key("ctrl+a")
    app.type(export_path)
    app.key("Return")
    ds.wait_until(lambda: os.path.exists(export_path), "the exported file")
    # Without a window manager the window does not take the keyboard back by itself.
    app.activate("Arcandel")

    # The history finds the reading by a word of its entry.
    app.tab_to("the sidebar", lambda n: n.getRole() == pyatspi.ROLE_LIST and n.name == "Secciones")
    app.key("Down")
    fill(app, "the history search", "Buscar preguntas, cartas o notas", "Marta")

    def found():
        rows = [n for n in app.find_all(pyatspi.ROLE_LIST_ITEM)
                if n.parent is not None and n.parent.name == "Mis tiradas"]
        return rows if len(rows) == 1 else None

    [row] = ds.wait_until(found, "one history row for the word of the entry")
    ds.check(row.name.startswith(OWN_QUESTION) and row.name.endswith(", Mi baraja, 1 seguimiento"),
             f"the history row reads {row.name!r}")
    with open(export_path, encoding="utf-8") as f:
        return f.read()


def test(desktop, arguments):
    import pyatspi

    state_path = desktop.path("datos", "state.json")
    started = time.time()
    app = ds.App(desktop, arguments.app, ["--data-path", state_path])
    try:
        # The welcome sheet opens on a first start, with the name field focused.
        app.wait_for("the welcome sheet", pyatspi.ROLE_DIALOG, "Bienvenido a Arcandel")
        app.wait_for("the welcome button", pyatspi.ROLE_PUSH_BUTTON, "Entrar a la mesa")
        app.activate("Bienvenido a Arcandel")
        fill(app, "the name field", "Nombre o apodo (opcional)", NAME)

        # Default spread: two steps down from "Pasado · presente · futuro".
        app.tab_to("the default spread picker", lambda n: n.getRole() == pyatspi.ROLE_COMBO_BOX
                   and n.name == "Pasado · presente · futuro")
        app.key("Down", "Down")
        app.wait_for("the cross as default spread", pyatspi.ROLE_COMBO_BOX,
                     "Cruz de cinco cartas")
        # Reversed cards on, automatic saving off, so that Ctrl+S is what saves.
        for label, wanted in (("Permitir cartas invertidas", True),
                              ("Guardar las tiradas completas automáticamente", False)):
            box = app.tab_to(label, lambda n, t=label: n.getRole() == pyatspi.ROLE_CHECK_BOX
                             and n.name == t)
            ds.check(box.getState().contains(pyatspi.STATE_CHECKED) != wanted,
                     f"{label} does not start from its default")
            app.key("space")
            ds.wait_until(lambda b=box, w=wanted: app.nodes() and
                          b.getState().contains(pyatspi.STATE_CHECKED) == w,
                          f"{label} to change")
        ds.check(not os.path.exists(state_path), "the state file was written before confirming")
        app.key("Return")
        ds.wait_until(lambda: not app.find_all(pyatspi.ROLE_DIALOG), "the welcome sheet to close")
        # Confirming the welcome stores the preferences at once.
        ds.wait_until(lambda: os.path.exists(state_path), "the state file after the welcome")
        app.activate("Arcandel")

        # Preparation: topic, question, spread (taken from the preferences), shuffle.
        app.tab_to("the topic picker", lambda n: n.getRole() == pyatspi.ROLE_COMBO_BOX
                   and n.name == "General")
        app.key("Down")
        app.wait_for("the topic Relaciones", pyatspi.ROLE_COMBO_BOX, "Relaciones")
        fill(app, "the question field", "Tu pregunta (opcional)", QUESTION)
        app.wait_for("the cross on the preparation screen", pyatspi.ROLE_COMBO_BOX,
                     lambda name: name.startswith("Cruz de cinco cartas"))
        app.tab_to("the shuffle button", lambda n: n.getRole() == pyatspi.ROLE_PUSH_BUTTON
                   and n.name == "Barajar y preparar la tirada")
        app.key("space")

        # The cut: three places appear once the shuffle is over.
        for place in ("Primer tercio", "Centro", "Último tercio"):
            app.wait_for(f"the cut place {place}", pyatspi.ROLE_PUSH_BUTTON, place)
        app.tab_to("the centre cut", lambda n: n.getRole() == pyatspi.ROLE_PUSH_BUTTON
                   and n.name == "Centro")
        app.key("space")

        # The board: five face-down slots; the first is the next to turn.
        for index in range(5):
            app.wait_for(f"slot {index + 1} face down", pyatspi.ROLE_PUSH_BUTTON,
                         lambda name, i=index: slot_label(i)(name)
                         and name.endswith(", carta boca abajo"))

        # Turn every card: Tab to the next slot, Space turns it over.
        for index in range(5):
            slot = app.tab_to(f"slot {index + 1}", lambda n, i=index: n.getRole() ==
                              pyatspi.ROLE_PUSH_BUTTON and slot_label(i)(n.name))
            ds.check(slot.description == "Descubrir carta",
                     f"slot {index + 1} before turning has the hint {slot.description!r}")
            app.key("space")
            app.wait_for(f"slot {index + 1} face up", pyatspi.ROLE_PUSH_BUTTON,
                         lambda name, i=index: slot_label(i)(name)
                         and not name.endswith("carta boca abajo"))
        # Automatic saving is off: the finished reading is not in the history yet.
        ds.check(ds.state_file_json(state_path)[1]["history"] == [],
                 "the reading was saved before Ctrl+S")
        labels = {}
        for index in range(5):
            [slot] = app.find_all(pyatspi.ROLE_PUSH_BUTTON, slot_label(index))
            labels[index] = slot.name

        # Ctrl+S saves the finished reading into the history.
        app.key("ctrl+s")

        def saved():
            raw, document = ds.state_file_json(state_path)
            return (raw, document) if document["history"] else None

        raw, _ = ds.wait_until(saved, "the reading in the state file")
        saved_at = time.time()
        exported = own_deck_reading(app, desktop, state_path, deck_names())
        raw = open(state_path, "rb").read()

        app.key("ctrl+q")
        ds.check(app.wait_exit() == 0, "Arcandel did not exit cleanly:\n" + app.output())
    finally:
        app.stop()

    # Nothing is written at exit.
    ds.check(open(state_path, "rb").read() == raw, "the state file changed when quitting")

    # The document, read by an independent JSON reader.
    document = json.loads(raw.decode("utf-8"), object_pairs_hook=sorted_object)
    lines = raw.decode("utf-8").splitlines()
    ds.check(len(lines) > 40 and lines[0] == "{" and lines[1].strip().startswith('"history"'),
             "the state file is not pretty-printed with history first")
    ds.check(sorted(document) == ["history", "preferences"], f"top level: {sorted(document)}")

    preferences = document["preferences"]
    ds.check(preferences == {
        "animations": True, "autoSave": False, "deck": "Marsella · Quintrel", "name": NAME,
        "onboardingDone": True, "reversals": True, "sound": False, "spread": "cross",
        "theme": "Esmeralda"}, f"preferences: {preferences}")

    ds.check(len(document["history"]) == 2, "the history does not hold exactly two readings")
    check_own_reading(document["history"][0], exported)
    reading = document["history"][1]
    ds.check(sorted(reading) == sorted([
        "cards", "date", "favorite", "id", "interpretations", "notes", "question", "reader",
        "revealed", "spread", "synthesis", "topic"]), f"reading fields: {sorted(reading)}")
    ds.check(UUID.match(reading["id"]) is not None, f"identifier {reading['id']!r}")
    ds.check(reading["spread"] == "cross" and reading["topic"] == "Relaciones",
             f"spread and topic: {reading['spread']}, {reading['topic']}")
    ds.check(reading["question"] == QUESTION, f"question {reading['question']!r}")
    ds.check(reading["reader"] == NAME, f"reader {reading['reader']!r}")
    ds.check(reading["revealed"] == 5 and reading["favorite"] is False
             and reading["notes"] == "", "revealed, favourite or notes are wrong")

    # Dates are seconds since 2001-01-01 UTC, as a JSON number.
    date = reading["date"]
    ds.check(isinstance(date, (int, float)) and not isinstance(date, bool), f"date {date!r}")
    ds.check(started - ds.REFERENCE_EPOCH - 2 <= date <= saved_at - ds.REFERENCE_EPOCH + 2,
             f"date {date} is not the time of the reading in seconds since 2001")

    cards = reading["cards"]
    ds.check(len(cards) == 5, f"{len(cards)} cards")
    ids = [card["arcanaID"] for card in cards]
    ds.check(len(set(ids)) == 5 and all(0 <= i <= 21 for i in ids), f"card ids {ids}")
    names = deck_names()
    for index, card in enumerate(cards):
        ds.check(sorted(card) == ["arcanaID", "reversed"], f"card fields {sorted(card)}")
        orientation = "invertida" if card["reversed"] else "al derecho"
        expected = f"{index + 1}, {CROSS_TITLES[index]}, {names[card['arcanaID']]}, {orientation}"
        ds.check(labels[index] == expected,
                 f"slot {index + 1} said {labels[index]!r} but the file holds {expected!r}")

    interpretations = reading["interpretations"]
    ds.check(len(interpretations) == 5 and all(isinstance(t, str) and t.strip()
                                               for t in interpretations),
             "the reading does not hold five interpretations")
    ds.check(isinstance(reading["synthesis"], str) and reading["synthesis"].strip(),
             "the reading has no synthesis")


def check_own_reading(reading, exported):
    """The Celtic cross laid out by hand, as the file keeps it and as it was exported."""
    ds.check(reading["ownDeck"] is True and reading["spread"] == "celtic"
             and reading["revealed"] == 10 and reading["question"] == OWN_QUESTION,
             f"the own-deck reading: {reading}")
    cards = [(card["arcanaID"], card["reversed"]) for card in reading["cards"]]
    ds.check(cards == [(card, index == OWN_REVERSED) for index, (_, card) in enumerate(OWN_CARDS)],
             f"the own-deck cards: {cards}")
    [entry] = reading["followUps"]
    ds.check(sorted(entry) == ["date", "id", "text"] and entry["text"] == FOLLOW_UP
             and UUID.match(entry["id"]) and entry["date"] > reading["date"],
             f"the follow-up entry: {entry}")
    lines = exported.split("\n")
    ds.check(lines[2].startswith("Cruz celta · ") and
             lines[3] == "Tirada hecha con tu propia baraja." and lines[4] == OWN_QUESTION,
             f"the exported heading: {lines[:5]}")
    ds.check("\n\nCómo se desarrolló\n" in exported and exported.count(FOLLOW_UP) == 1,
             "the exported text lacks the follow-up entry")


if __name__ == "__main__":
    ds.run(test)
