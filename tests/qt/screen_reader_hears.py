#!/usr/bin/python3
# A keyboard-only game followed by what a screen reader hears over AT-SPI, the path Orca
# takes: the program is started, Tab and Space play the first card, Tab finds "N" and
# Space deals anew; after each, the control the focus rests on must say the table.
#   screen_reader_hears.py PROGRAM en|ja   (on an X display, inside a D-Bus session)
import re
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

WORDS = {
    'en': {'new': 'New game',
           'played': r'^Ground: (?P<ground>.+)\. 1 played\. (?P<playable>\d) playable\.$',
           'dealt': 'Ground: Empty. 0 played. 5 playable.'},
    'ja': {'new': '新しいゲーム',
           'played': r'^場札: (?P<ground>.+)。1枚出しました。出せる札は(?P<playable>\d)枚。$',
           'dealt': '場札: なし。0枚出しました。出せる札は5枚。'},
}
program, language = sys.argv[1], sys.argv[2]
words = WORDS[language]
heard = []  # (what, name) in the order a screen reader is told


def on_event(event):
    try:
        if event.source.getRoleName() != 'push button':
            return
        name = event.source.name
    except Exception:  # the program may be gone
        return
    if event.type.startswith('object:state-changed:focused') and event.detail1 != 1:
        return
    what = 'focus' if 'focused' in event.type else 'name'
    if not heard or heard[-1] != (what, name):
        heard.append((what, name))


def wait_for(test, seconds=15):
    """Runs the event loop until test() holds, or gives up."""
    deadline = time.monotonic() + seconds
    while not test():
        if time.monotonic() > deadline:
            return False
        GLib.MainContext.default().iteration(False)
        time.sleep(0.01)
    return True


def key(name, then, seconds=15):
    """Presses the key; the first name heard since that then() accepts, if any."""
    mark = len(heard)
    subprocess.run(['xdotool', 'key', name], check=True)
    found = []
    wait_for(lambda: found or found.extend(n for _, n in heard[mark:] if then(n)), seconds)
    return found[0] if found else None


pyatspi.Registry.registerEventListener(on_event, 'object:state-changed:focused',
                                       'object:property-change:accessible-name')
vop = subprocess.Popen([program])
failures = []
try:
    if not wait_for(lambda: heard):
        failures.append('no focus was announced as the window opened')
    card = key('Tab', lambda name: name != words['dealt'])
    table = key('space', lambda name: re.match(words['played'], name))
    if not table:
        failures.append(f'after playing {card!r} the table was not told')
    elif re.match(words['played'], table)['ground'] != card:
        failures.append(f'the ground is said to be {table!r}, not {card!r}')
    for _ in range(8):  # Tab round the playable slots to "N"
        if key('Tab', lambda name: name == words['new'], 2):
            break
    else:
        failures.append('Tab never reached "N"')
    if not key('space', lambda name: name == words['dealt']):
        failures.append('after "N" the new deal was not told')
finally:
    vop.terminate()
    vop.wait()
for what, name in heard:
    print(f'  {what}: {name}')
for failure in failures:
    print(f'FAILED: {failure}')
sys.exit(1 if failures else 0)
