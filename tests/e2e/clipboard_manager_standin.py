#!/usr/bin/python3
"""A clipboard manager that takes the clipboard over when asked, as the
freedesktop ClipboardManager convention has it: it owns CLIPBOARD_MANAGER;
asked SAVE_TARGETS, it fetches the clipboard's UTF8_STRING from its owner,
owns CLIPBOARD itself, serving what it saved, and answers that it has saved
it. (xfce4-clipman owns CLIPBOARD_MANAGER but never answers SAVE_TARGETS.)
A test's report is small enough to come in one piece: INCR transfers are
not handled.

With --lying it answers SAVE_TARGETS at once that it has saved the
clipboard, and keeps nothing, as weston's X window manager does. With
--hung it takes the clipboard and stops answering, as a keeper that hangs.
"""
import signal
import sys

from Xlib import X, Xatom, display
from Xlib.protocol import event

LYING = "--lying" in sys.argv[1:]

d = display.Display()
root = d.screen().root
window = root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
MANAGER, SAVE_TARGETS, CLIPBOARD, UTF8, TARGETS, HERE = (
    d.intern_atom(name)
    for name in ("CLIPBOARD_MANAGER", "SAVE_TARGETS", "CLIPBOARD", "UTF8_STRING", "TARGETS", "STANDIN_SAVED"))
if "--hung" in sys.argv[1:]:
    window.set_selection_owner(CLIPBOARD, X.CurrentTime); d.flush(); signal.pause()
window.set_selection_owner(MANAGER, X.CurrentTime)
d.flush()

saved = None
asking = None  # the SAVE_TARGETS request being served


def answer(request, prop):
    request.requestor.send_event(event.SelectionNotify(
        time=request.time, requestor=request.requestor, selection=request.selection,
        target=request.target, property=prop))
    d.flush()


while True:
    e = d.next_event()
    if e.type == X.SelectionRequest and e.selection == MANAGER:
        if e.target == SAVE_TARGETS and LYING:
            answer(e, e.property)
        elif e.target == SAVE_TARGETS and asking is None:
            asking = e
            window.convert_selection(CLIPBOARD, UTF8, HERE, X.CurrentTime)
        else:
            answer(e, X.NONE)
    elif e.type == X.SelectionNotify and asking is not None:
        prop = window.get_full_property(HERE, UTF8) if e.property != X.NONE else None
        if prop is not None:
            saved = bytes(prop.value)
            window.set_selection_owner(CLIPBOARD, X.CurrentTime)
        answer(asking, asking.property if prop is not None else X.NONE)
        asking = None
    elif e.type == X.SelectionRequest and e.selection == CLIPBOARD and saved is not None:
        if e.target == TARGETS:
            e.requestor.change_property(e.property, Xatom.ATOM, 32, [TARGETS, UTF8])
            answer(e, e.property)
        elif e.target == UTF8:
            e.requestor.change_property(e.property, UTF8, 8, saved)
            answer(e, e.property)
        else:
            answer(e, X.NONE)
