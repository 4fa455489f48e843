#!/usr/bin/python3
"""Reads the running program's window through AT-SPI, as a screen reader
would, and checks what it finds. Run with Debian's python (python3-pyatspi)
on the session bus the program's accessibility bridge registered on.

    read_window.py start DATE...   the window right after start-up
    read_window.py after DATE...   after the presses of accessibility.sh
    read_window.py question        the CPR終了 question box
    read_window.py notice TEXT     a notice box whose text holds TEXT
    read_window.py menu            the record list's popup menu, open
    read_window.py edit            the edit window, open on the newest row
    read_window.py cancel-edit     presses the edit window's ｷｬﾝｾﾙ through
                                   AT-SPI, as assistive technology would
    read_window.py selected ROW COUNT [END]
                                   the record list holds COUNT rows, ROW is
                                   the one selected (its text ending in END)
                                   and shows whole inside the list, which
                                   shows no horizontal scroll bar; prints
                                   "rect X Y WIDTH HEIGHT", the row's place
                                   in pixels of the client area
    read_window.py rows            prints the record list's rows
    read_window.py counter NAME SINCE
                                   the NAME counter (cpr, epinephrine, ...)
                                   reads the whole seconds since SINCE
                                   (seconds since the epoch), give or take one
    read_window.py menu-items      the popup menu, open: prints "item NAME X Y"
                                   for each item's centre on the screen
DATE: the dates the date label may show (yyyy-mm-dd). Prints what it
checked; exits 1 with the first mismatch.
"""
import os
import re
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

def px(twips):
    return (twips + TWIPS_PER_PIXEL // 2) // TWIPS_PER_PIXEL


def rect(left, top, width, height):
    """A control's laid-out rectangle in pixels relative to the client area."""
    x, y = px(left), px(top)
    return (x, y, px(left + width) - x, px(top + height) - y)


EVENT_CAPTIONS = ["病院到着", "CPR開始", "除細動", "静脈路確保", "気管挿管", "エピネフリン", "アトロピン",
                  "アンカロン", "シンビット", "キシロカイン", "マグネゾール", "メイロン", "点滴追加", "ドーパミン",
                  "経皮ﾍﾟｰｼﾝｸﾞ", "CPR終了"]
RHYTHM_CAPTIONS = ["心室細動", "心室頻拍", "徐脈", "ＰＥＡ", "心静止", "心拍再開"]


def read_layout(path):
    """The controls' places (twips) that the build wrote from the window's
    layout tables: NAME=VALUE and NAME=(V V ...) lines."""
    places = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            m = re.match(r"^(\w+)=\(?([-\d ]*)\)?$", line.strip())
            if m:
                values = [int(v) for v in m.group(2).split()]
                places[m.group(1)] = values if "(" in line else values[0]
    return places


LAYOUT = read_layout(os.environ["VELTRASA_LAYOUT"])
TWIPS_PER_PIXEL = LAYOUT["TWIPS_PER_PIXEL"]


def corner(label):
    """A label's top-left corner (twips): LABEL1_3 is Label1(3)."""
    return tuple(LAYOUT[label][:2])


def cells(label, indices):
    return [corner(f"{label}_{i}") for i in indices]


# Each counter's digit and separator labels, left to right: (left, top),
# by their indices in the label arrays (minutes' tens, units, the colon,
# seconds' tens, units).
DIGITS = [3, 2, 6, 1, 0]
MEDICATION_DIGITS = [11, 10, 14, 9, 8]
COUNTERS = {
    "arrival": cells("LABEL1", DIGITS),
    "epinephrine": cells("LABEL1", MEDICATION_DIGITS),
    "atropine": cells("LABEL9", MEDICATION_DIGITS),
    "antiarrhythmic": cells("LABEL8", MEDICATION_DIGITS),
    "cpr": cells("LABEL6", DIGITS),
}
CLOCK = cells("LABEL3", [3, 2, 4, 1, 0])
TITLES = {  # the counters' titles, Label4 2..5
    "cpr": corner("LABEL4_2"), "epinephrine": corner("LABEL4_3"), "atropine": corner("LABEL4_4"),
    "antiarrhythmic": corner("LABEL4_5"),
}
DATE_LABEL = corner("LABEL7")
CAUSES_HEADING = corner("LABEL5")
CAUSES = corner("LABEL2")

BUTTON_ROLES = {pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX}


class Mismatch(Exception):
    pass


def fail(message):
    raise Mismatch(message)


passed = set()


def ok(message):
    if message not in passed:
        passed.add(message)
        print("ok: " + message)


class Node:
    """One accessible object, read once."""

    def __init__(self, acc, origin):
        self.acc = acc
        self.role = acc.getRole()
        self.name = acc.name or ""
        state = acc.getState()
        self.showing = state.contains(pyatspi.STATE_SHOWING)
        self.selected = state.contains(pyatspi.STATE_SELECTED)
        try:
            e = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            self.extents = (e.x - origin[0], e.y - origin[1], e.width, e.height)
        except NotImplementedError:
            self.extents = None

    def __repr__(self):
        return f"{pyatspi.Accessible.getRoleName(self.acc)} {self.name!r} {self.extents}"


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "Veltrasa2005":
            return app
    fail("the program is not on the accessibility bus")


def top_window(app, title):
    """The top-level window captioned TITLE and its top-left corner on the
    desktop; (None, None) if there is none."""
    for top in app:
        if top.name == title and top.getRole() in (pyatspi.ROLE_FRAME, pyatspi.ROLE_ALERT, pyatspi.ROLE_DIALOG):
            e = top.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            return top, (e.x, e.y)
    return None, None


def window_nodes(app, title):
    """Every accessible below the top-level window captioned TITLE, in
    pixels relative to that window's top-left corner."""
    top, origin = top_window(app, title)
    if top is None:
        return None
    found = []

    def walk(acc):
        for child in acc:
            found.append(Node(child, origin))
            walk(child)

    walk(top)
    return found


def main_window(app):
    nodes = window_nodes(app, "Veltrasa２００５")
    if nodes is None:
        fail("no window (frame) named Veltrasa２００５")
    return nodes


def label_at(nodes, left, top):
    want = (px(left), px(top))
    hits = [n for n in nodes if n.role == pyatspi.ROLE_LABEL and n.extents and n.extents[:2] == want]
    if len(hits) != 1:
        fail(f"expected one label at {want}, found {hits}")
    return hits[0]


def reading(nodes, cells):
    return "".join(label_at(nodes, left, top).name for left, top in cells)


def expect_button(nodes, caption, want, what):
    """Exactly one showing button reads CAPTION, at the rectangle WANT."""
    hits = [n for n in nodes if n.role in BUTTON_ROLES and n.name == caption and n.extents == want]
    if len(hits) != 1 or not hits[0].showing:
        fail(f"{what} {caption} at {want}: found {hits}, buttons near it "
             f"{[n for n in nodes if n.role in BUTTON_ROLES and n.extents and n.extents[:2] == want[:2]]}")


def check_buttons(nodes):
    for i, caption in enumerate(EVENT_CAPTIONS):
        expect_button(nodes, caption, rect(LAYOUT["EVENT_LEFT"][i], LAYOUT["EVENT_TOP"][i], LAYOUT["EVENT_WIDTH"], LAYOUT["EVENT_HEIGHT"]), "event button")
    ok("sixteen event buttons read by caption at their places")
    for i, caption in enumerate(RHYTHM_CAPTIONS):
        expect_button(nodes, caption, rect(LAYOUT["RHYTHM_LEFT"][i], LAYOUT["RHYTHM_TOP"], LAYOUT["RHYTHM_WIDTH"], LAYOUT["RHYTHM_HEIGHT"]), "rhythm button")
    ok("six rhythm buttons read by caption at their places")


def list_node(nodes):
    lists = [n for n in nodes if n.role in (pyatspi.ROLE_LIST, pyatspi.ROLE_LIST_BOX, pyatspi.ROLE_TABLE)]
    want = rect(*LAYOUT["LIST_RECT"])
    lists = [n for n in lists if n.extents == want]
    if len(lists) != 1:
        fail(f"expected the record list at {want}, found {lists}")
    return lists[0]


def the_list(nodes, origin=(0, 0)):
    """The record list's rows; their extents relative to ORIGIN."""
    rows = [Node(c, origin) for c in list_node(nodes).acc]
    return [r for r in rows if r.role in (pyatspi.ROLE_LIST_ITEM, pyatspi.ROLE_TABLE_CELL)]


def check_selected(row, count, end=""):
    app = application()
    nodes = main_window(app)
    the = list_node(nodes)
    rows = the_list(nodes, top_window(app, "Veltrasa２００５")[1])
    if len(rows) != count:
        fail(f"the record list holds {len(rows)} rows, not {count}")
    selected = [i for i, r in enumerate(rows) if r.selected]
    if selected != [row]:
        fail(f"selected rows {selected}, not [{row}]")
    r = rows[row]
    if not r.name.endswith(end):
        fail(f"the selected row reads {r.name!r}, not ending in {end!r}")
    lx, ly, lw, lh = the.extents
    x, y, w, h = r.extents
    if not (r.showing and lx <= x and ly <= y and x + w <= lx + lw and y + h <= ly + lh):
        fail(f"the selected row {row} at {r.extents} is not wholly inside the list at {the.extents}")
    bars = [Node(c, (0, 0)) for c in the.acc if c.getRole() == pyatspi.ROLE_SCROLL_BAR]
    wide = [b for b in bars if b.showing and b.extents and b.extents[2] > b.extents[3]]
    if wide:
        fail(f"the record list shows a horizontal scroll bar: {wide}")
    ok(f"row {row} of {count} selected, wholly in view at {r.extents}")
    print("rect %d %d %d %d" % r.extents)


def print_rows():
    for r in the_list(main_window(application())):
        print(r.name)


def check_start(dates):
    nodes = main_window(application())
    check_buttons(nodes)
    for name, cells in COUNTERS.items():
        shown = reading(nodes, cells)
        if shown != "00:00":
            fail(f"the {name} counter reads {shown!r}")
    ok("five counters read 00:00")
    clock = reading(nodes, CLOCK)
    if not re.fullmatch(r"[0-2][0-9]:[0-5][0-9]", clock):
        fail(f"the clock reads {clock!r}")
    ok(f"the clock reads {clock}")
    date = label_at(nodes, *DATE_LABEL).name
    if date not in dates:
        fail(f"the date label reads {date!r}, not {dates}")
    ok(f"the date label reads today, {date}")
    for heading in ("現在の時刻", "入室からの経過時間", "リズム（パルス）チェック"):
        if not any(n.role == pyatspi.ROLE_LABEL and n.name == heading and n.showing for n in nodes):
            fail(f"no heading {heading}")
    ok("headings read")
    for start in ("６Ｈs５Ｔs", "・循環血液量減少"):
        labels = [n for n in nodes if n.role == pyatspi.ROLE_LABEL and n.name.startswith(start)]
        if len(labels) != 1 or labels[0].showing:
            fail(f"the hidden reversible-causes panel is reported as showing: {labels}")
    ok("the hidden reversible-causes panel is reported as not showing")
    rows = the_list(nodes)
    if rows:
        fail(f"the record list is not empty: {rows}")
    ok("the record list is empty")


ROW = re.compile(r"(\d\d)/(\d\d) \d\d:\d\d:\d\d(　.*)")


def check_after(dates):
    nodes = main_window(application())
    rows = the_list(nodes)
    texts = []
    for r in rows:
        m = ROW.fullmatch(r.name)
        if not m or not any(d.endswith(f"-{m.group(1)}-{m.group(2)}") for d in dates):
            fail(f"row {r.name!r} is not stamped today")
        texts.append(m.group(3))
    want = ["　病院到着", "　ＣＰＲ開始", "　エピネフリン1回目投与", "　アトロピン1回目投与", "　アンカロン1回目投与",
            "　ﾘｽﾞﾑﾁｪｯｸ：ＰＥＡ"]
    if texts != want:
        fail(f"the record list reads {texts}, not {want}")
    selected = [i for i, r in enumerate(rows) if r.selected]
    if selected != [len(rows) - 1]:
        fail(f"selected rows {selected}, not the newest")
    ok(f"the record list reads its {len(rows)} rows, the newest selected")
    titles = {name: label_at(nodes, *where).name for name, where in TITLES.items()}
    want_titles = {"cpr": "心マッサージ開始後", "epinephrine": "エピネフリン1回目投与後",
                   "atropine": "アトロピン1回目投与後", "antiarrhythmic": "アンカロン1回目投与後"}
    if titles != want_titles:
        fail(f"counter titles read {titles}")
    ok("counter titles read")
    for name in ("cpr", "epinephrine", "atropine", "antiarrhythmic"):
        shown = reading(nodes, COUNTERS[name])
        if not re.fullmatch(r"\d\d:\d\d", shown):
            fail(f"the {name} counter reads {shown!r}")
    heading = label_at(nodes, *CAUSES_HEADING)
    causes = label_at(nodes, *CAUSES)
    if not (heading.showing and causes.showing and heading.name == "６Ｈs５Ｔs" and "・低酸素症" in causes.name):
        fail(f"the reversible-causes panel does not read after PEA: {heading}, {causes}")
    ok("the reversible-causes panel reads after PEA")


def check_counter(name, since):
    shown = reading(main_window(application()), COUNTERS[name])
    elapsed = time.time() - float(since)
    m = re.fullmatch(r"(\d\d):(\d\d)", shown)
    if not m:
        fail(f"the {name} counter reads {shown!r}")
    if abs(int(m.group(1)) * 60 + int(m.group(2)) - int(elapsed)) > 1:
        fail(f"the {name} counter reads {shown} {elapsed:.1f} s after its event")
    ok(f"the {name} counter reads {shown} {elapsed:.1f} s after its event")


def check_question():
    nodes = window_nodes(application(), "Veltrasa2005")
    if not nodes:
        fail("no message box on the accessibility bus")
    texts = [n.name for n in nodes if n.role == pyatspi.ROLE_LABEL and n.showing]
    if "記録を中止しますか？　　　" not in texts:
        fail(f"the question box reads {texts}")
    buttons = sorted(n.name for n in nodes if n.role in BUTTON_ROLES and n.showing)
    if buttons != sorted(["はい(Y)", "いいえ(N)"]):
        fail(f"the question box's buttons read {buttons}")
    ok("the question box reads its text and buttons")


def check_notice(text):
    texts = [n.name for n in window_nodes(application(), "Veltrasa2005") or [] if n.role == pyatspi.ROLE_LABEL]
    if not any(text in t for t in texts):
        fail(f"the notice reads {texts}")


def open_menu():
    """The popup menu is a pop-up window, outside the application's tree of
    windows: it is read, as a screen reader reads it, from the focus event
    of its first item, reached with the Down key. Returns that item and the
    menu's items."""
    seen = []

    def on_focus(event):
        if event.source.getRole() == pyatspi.ROLE_MENU_ITEM and event.detail1:
            seen.append(event.source)
            pyatspi.Registry.stop()

    pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
    GLib.timeout_add(300, lambda: subprocess.run(["xdotool", "key", "Down"]) and False)
    GLib.timeout_add(5000, lambda: pyatspi.Registry.stop() or False)
    pyatspi.Registry.start()
    pyatspi.Registry.deregisterEventListener(on_focus, "object:state-changed:focused")
    if not seen:
        fail("no menu item took the focus")
    focused = seen[0]
    menu = focused.parent
    if menu is None or menu.getRole() != pyatspi.ROLE_POPUP_MENU:
        fail(f"the focused item {focused.name!r} is not in a popup menu")
    return focused, [c for c in menu if c.getRole() == pyatspi.ROLE_MENU_ITEM]


def check_menu():
    focused, items = open_menu()
    read = [(i.name, i.getState().contains(pyatspi.STATE_ENABLED)) for i in items]
    # Rows but nothing to undo yet: 元に戻す is offered disabled.
    want = [("修正", True), ("削除", True), ("元に戻す", False), ("振り返り", True)]
    if read != want:
        fail(f"the popup menu reads {read}, not {want}")
    if focused.name != "修正":
        fail(f"Down focused {focused.name!r}, not 修正")
    ok("the popup menu reads its items and which are enabled")


def print_menu_items():
    for item in open_menu()[1]:
        e = item.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        print(f"item {item.name} {e.x + e.width // 2} {e.y + e.height // 2}")


def edit_window():
    nodes = window_nodes(application(), "編集")
    if not nodes:
        fail("no edit window (dialog) named 編集")
    return nodes


def check_edit():
    rows = the_list(main_window(application()))
    newest = rows[-1].name
    nodes = edit_window()
    boxes = [n for n in nodes if n.role in (pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY)]
    if len(boxes) != 1:
        fail(f"expected one edit box, found {boxes}")
    box = boxes[0]
    text = box.acc.queryText().getText(0, -1)
    if text != newest or not box.showing or box.extents != rect(*LAYOUT["EDIT_BOX_RECT"]):
        fail(f"the edit box reads {text!r} at {box.extents}, not {newest!r}")
    ok("the edit window's box reads the row being corrected")
    for caption, place in (("ｷｬﾝｾﾙ", "EDIT_CANCEL_RECT"), ("変更", "EDIT_CHANGE_RECT")):
        expect_button(nodes, caption, rect(*LAYOUT[place]), "edit window button")
    ok("the edit window's buttons read by caption at their places")


def cancel_edit():
    for n in edit_window():
        if n.role in BUTTON_ROLES and n.name == "ｷｬﾝｾﾙ":
            action = n.acc.queryAction()
            for i in range(action.nActions):
                if action.getName(i) in ("Press", "press", "click"):
                    action.doAction(i)
                    ok("ｷｬﾝｾﾙ pressed through AT-SPI")
                    return
            fail(f"ｷｬﾝｾﾙ offers no press action: {[action.getName(i) for i in range(action.nActions)]}")
    fail("no ｷｬﾝｾﾙ button")


def main():
    checks = {"start": lambda: check_start(sys.argv[2:]), "after": lambda: check_after(sys.argv[2:]),
              "question": check_question, "menu": check_menu, "edit": check_edit, "cancel-edit": cancel_edit,
              "notice": lambda: check_notice(sys.argv[2]),
              "selected": lambda: check_selected(int(sys.argv[2]), int(sys.argv[3]), *sys.argv[4:5]),
              "rows": print_rows, "menu-items": print_menu_items,
              "counter": lambda: check_counter(sys.argv[2], sys.argv[3])}
    check = checks[sys.argv[1]]
    # The window is read as it is at the moment; a change still on its way
    # through the bus gets a few seconds to arrive. The menu is read once:
    # reading it presses a key.
    deadline = time.time() + (0 if sys.argv[1] in ("menu", "menu-items") else 15)
    while True:
        try:
            check()
            return
        except (Mismatch, GLib.Error) as mismatch:
            if time.time() > deadline:
                print(f"FAIL: {mismatch}", file=sys.stderr)
                sys.exit(1)
        time.sleep(0.3)


if __name__ == "__main__":
    main()
