"""A damaged state file at start-up, on a real display: the alert tells the user where the
recovery copy set aside beside it lies, the file is left as it was, and declining to recover
readings then finishing the welcome sheet writes a sound file while the damaged content
survives in the copy."""

import json
import os
import re
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import virtual_desktop as ds  # noqa: E402

PREFIX = "No se pudo leer la configuración: "
SUFFIX = " El archivo original se conserva."
RECOVERY = re.compile(r"^state-recuperacion-(\d+)\.json$")


def reading_with_card(arcana_id):
    return {"id": "6F1C2A3B-4D5E-4F60-8172-93A4B5C6D7E8", "date": 786000000.25,
            "spread": "timeline", "question": "¿Sigue aquí?", "topic": "General",
            "cards": [{"arcanaID": 3, "reversed": False}, {"arcanaID": arcana_id,
                                                            "reversed": True},
                      {"arcanaID": 9, "reversed": False}],
            "reader": "", "revealed": 3, "notes": "", "favorite": False,
            "interpretations": ["a", "b", "c"], "synthesis": "s"}


PREFERENCES = {"name": "Noa", "deck": "Marsella · Quintrel", "spread": "guidance",
               "reversals": False, "animations": False, "sound": False, "autoSave": True,
               "theme": "Esmeralda", "onboardingDone": True}

CASES = [
    # A file cut short in the middle of the history: not JSON at all.
    ("not JSON", b'{"history": [{"id": "6F1C2A3B', None),
    # Valid JSON whose only reading holds card 22, which the deck does not have.
    ("invalid reading",
     json.dumps({"preferences": PREFERENCES, "history": [reading_with_card(22)]},
                ensure_ascii=False, indent=1).encode("utf-8"),
     "El historial contiene una tirada no válida."),
]


def texts_in(app, window):
    import pyatspi
    found = []
    stack = [window]
    while stack:
        node = stack.pop()
        if node.getRole() == pyatspi.ROLE_LABEL and node.name:
            found.append(node.name)
        stack.extend(node.getChildAtIndex(i) for i in range(node.childCount))
    return found


def run_case(desktop, arguments, label, damaged, description):
    import pyatspi

    folder = desktop.path(label.replace(" ", "-"))
    os.mkdir(folder)
    state_path = os.path.join(folder, "state.json")
    with open(state_path, "wb") as handle:
        handle.write(damaged)
    started = int(time.time())

    app = ds.App(desktop, arguments.app, ["--data-path", state_path])
    try:
        # The alert, with the store's message as its text, and the choice to recover.
        alert = app.activate("Arcandel", pyatspi.ROLE_ALERT)
        finished = int(time.time())
        texts = ds.wait_until(lambda: [t for t in texts_in(app, alert) if t.startswith(PREFIX)]
                              and texts_in(app, alert), f"the alert's message ({label})")
        ds.check("No se pudo completar la operación" in texts, f"alert title missing: {texts}")
        [message] = [text for text in texts if text.startswith(PREFIX)]
        ds.check(SUFFIX + " Hay una copia en «" in message, f"alert message {message!r}")
        if description is not None:
            # The fixed sentence comes first; the store may say which reading is wrong.
            ds.check(message.startswith(PREFIX + description), f"alert message {message!r}")
        else:
            ds.check(len(message) > len(PREFIX + SUFFIX), "the alert gives no description")
        buttons = [node.name for node in app.find_all(pyatspi.ROLE_PUSH_BUTTON)
                   if _inside(node, alert)]
        ds.check(buttons == ["Recuperar las tiradas válidas", "Entendido"],
                 f"alert buttons: {buttons}")

        # The original is untouched; its copy lies beside it, named after the time.
        ds.check(open(state_path, "rb").read() == damaged, "the damaged file was changed")
        copies = [name for name in os.listdir(folder) if RECOVERY.match(name)]
        ds.check(len(copies) == 1, f"recovery copies: {copies} in {os.listdir(folder)}")
        stamp = int(RECOVERY.match(copies[0]).group(1))
        ds.check(started <= stamp <= finished, f"recovery stamp {stamp} outside "
                 f"[{started}, {finished}]")
        copy_path = os.path.join(folder, copies[0])
        ds.check(open(copy_path, "rb").read() == damaged, "the recovery copy differs")
        ds.check(message.endswith(f" Hay una copia en «{copy_path}»."), f"alert message {message!r}")

        # Escape closes the alert without recovering; the welcome sheet (defaults apply) is
        # next.
        app.key("Escape")
        ds.wait_until(lambda: app.top_level("Arcandel", pyatspi.ROLE_ALERT) is None,
                      "the alert to close")
        ds.check(open(state_path, "rb").read() == damaged, "closing the alert wrote the file")
        app.activate("Bienvenido a Arcandel", pyatspi.ROLE_DIALOG)
        app.key("Return")

        # Now the file is replaced by a sound one; the damaged bytes live on in the copy.
        def rewritten():
            raw = open(state_path, "rb").read()
            return json.loads(raw.decode("utf-8")) if raw != damaged else None

        document = ds.wait_until(rewritten, "the state file to be written again")
        ds.check(document["history"] == [], f"history after recovery: {document['history']}")
        ds.check(document["preferences"]["onboardingDone"] is True
                 and document["preferences"]["name"] == "",
                 f"preferences after recovery: {document['preferences']}")
        ds.check(open(copy_path, "rb").read() == damaged, "the recovery copy changed")
        # Besides them, only the lock that keeps the journal to this one window.
        leftovers = sorted(set(os.listdir(folder)) - {"state.json", copies[0], ".state.json.lock"})
        ds.check(leftovers == [], f"unexpected files beside the state file: {leftovers}")

        app.activate("Arcandel", pyatspi.ROLE_FRAME)
        app.key("ctrl+q")
        ds.check(app.wait_exit() == 0, "Arcandel did not exit cleanly:\n" + app.output())
    finally:
        app.stop()


def _inside(node, ancestor):
    while node is not None:
        if node == ancestor:
            return True
        node = node.parent
    return False


def test(desktop, arguments):
    for label, damaged, description in CASES:
        run_case(desktop, arguments, label, damaged, description)


if __name__ == "__main__":
    ds.run(test)
