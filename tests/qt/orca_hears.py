#!/usr/bin/python3
# A keyboard-only game of Vop as GNOME's screen reader Orca speaks it: two plays, "N", a
# whole game to the "Win" box and the deal after it. What Orca says is the "SPEECH OUTPUT"
# lines of its debug log; each key is pressed once Orca has said what the key before it
# brought, and the whole transcript is held to what a blind player needs to hear.
#   orca_hears.py PROGRAM en|ja   (PROGRAM: tests/qt/scripted_vop; on an X display,
#                                  inside a D-Bus session of its own; prints what was said)
import os
import pty
import re
import subprocess
import sys
import tempfile
import threading

# The game's words as the player should hear them, and Orca's own for the roles.
WORDS = {
    'en': {'ranks': ['Ace', 'Two', 'Three', 'Four', 'Five', 'Six', 'Seven', 'Eight', 'Nine',
                     'Ten', 'Jack', 'Queen', 'King'],
           'suits': {'S': 'spades', 'H': 'hearts', 'D': 'diamonds', 'C': 'clubs'},
           'card': '{rank} of {suit}', 'none': 'Empty', 'empty': 'Empty', 'new': 'New game',
           'table': 'Ground: {0}. {1} played. {2}', 'to_play': 'To play: {0}.',
           'nothing': 'Nothing to play.', 'not_to_play': ' Not playable: {0}.', 'sep': ', ',
           'window': 'Vop: {0} played', 'button': 'push button', 'can_play': 'Can be played',
           'win': 'Win'},
    'ja': {'ranks': ['エース', '2', '3', '4', '5', '6', '7', '8', '9', '10', 'ジャック',
                     'クイーン', 'キング'],
           'suits': {'S': 'スペード', 'H': 'ハート', 'D': 'ダイヤ', 'C': 'クラブ'},
           'card': '{suit}の{rank}', 'none': 'なし', 'empty': '空き', 'new': '新しいゲーム',
           'table': '場札: {0}。{1}枚出しました。{2}', 'to_play': '出せる札: {0}。',
           'nothing': '出せる札はありません。', 'not_to_play': '出せない札: {0}。', 'sep': '、',
           'window': 'Vop:現在{0}枚', 'button': 'プッシュボタン', 'can_play': '出せます',
           'win': 'Win'},
}


def card_words(language, name):
    """ "H7" in words: "Seven of hearts", "ハートの7"."""
    words = WORDS[language]
    rank = words['ranks']['A23456789TJQK'.index(name[1])]
    return words['card'].format(rank=rank, suit=words['suits'][name[0]])


def winnable_chain():
    """The game that can be won (tests/support/deals.h): spades up, hearts down, diamonds
    up, clubs down. Its hand is the first card and the last four; slot 0 draws the rest."""
    ranks = 'A23456789TJQK'
    return ([f'S{r}' for r in ranks] + [f'H{r}' for r in reversed(ranks)] +
            [f'D{r}' for r in ranks] + [f'C{r}' for r in reversed(ranks)])

program, language = sys.argv[1], sys.argv[2]
w = WORDS[language]
SECONDS = int(os.environ.get("VOP_ORCA_SECONDS", 60))  # how long Orca may take to answer a key before the check gives up


class Orca:
    """Orca in a home of its own, its debug log on a terminal: Python writes a log file
    in blocks, but a terminal line by line, so each line can be waited for as it comes."""

    def __init__(self, home):
        self.lines, self.said = [], []
        self.changed = threading.Condition()
        master, slave = pty.openpty()
        self.process = subprocess.Popen(
            ['orca', '--debug-file=/proc/self/fd/1', '-u', os.path.join(home, 'orca')],
            stdin=subprocess.DEVNULL, stdout=slave, stderr=slave)
        os.close(slave)
        threading.Thread(target=self._read, args=(master,), daemon=True).start()

    def _read(self, master):
        rest = b''
        while True:
            try:
                chunk = os.read(master, 65536)
            except OSError:  # the terminal closes with Orca
                chunk = b''
            if not chunk:
                break
            *whole, rest = (rest + chunk).split(b'\n')
            with self.changed:
                for raw in whole:
                    line = raw.decode('utf-8', 'replace').rstrip('\r')
                    self.lines.append(line)
                    found = re.search(r"SPEECH OUTPUT: '(.*)'(?: ?\{.*\})?$", line)
                    # Key echo ("tab ", "space ") tells nothing of the game.
                    if found and not re.fullmatch(r'\S+ ', found[1]):
                        self.said.append(found[1])
                self.changed.notify_all()
        with self.changed:
            self.lines.append(None)
            self.changed.notify_all()

    def wait_for(self, test):
        """Waits until test() holds; False if Orca ended or said nothing for SECONDS."""
        with self.changed:
            return self.changed.wait_for(lambda: test() or None in self.lines, SECONDS) and test()

    def stop(self):
        self.process.terminate()
        self.process.wait(SECONDS)


def private_home():
    """A home and runtime folder of its own (Orca starts only once per user and session),
    speech-dispatcher speaking through espeak-ng into ALSA's null device."""
    home = tempfile.mkdtemp(prefix='vop-orca-')
    for sub in ('config/speech-dispatcher', 'orca', 'run', 'data', 'cache'):
        os.makedirs(os.path.join(home, sub), mode=0o700)
    with open(os.path.join(home, '.asoundrc'), 'w') as f:
        f.write('pcm.!default { type null }\nctl.!default { type hw card 0 }\n')
    with open(os.path.join(home, 'config/speech-dispatcher/speechd.conf'), 'w') as f:
        f.write('AudioOutputMethod "alsa"\n'
                'AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"\n'
                'DefaultModule espeak-ng\n')
    os.environ.update(HOME=home, XDG_CONFIG_HOME=f'{home}/config', XDG_DATA_HOME=f'{home}/data',
                      XDG_CACHE_HOME=f'{home}/cache', XDG_RUNTIME_DIR=f'{home}/run')
    return home


def stop_speech_dispatcher(home):
    """Orca's speech-dispatcher outlives it for a while: it is ended by its own pid."""
    try:
        with open(f'{home}/run/speech-dispatcher/pid/speech-dispatcher.pid') as f:
            os.kill(int(f.read()), 15)
    except (OSError, ValueError):
        pass


failures = []
events_since = 0  # where in Orca's log the last key's events begin
steps = []  # (what was done, what Orca said to it)


class Unheard(Exception):
    """Orca did not say what a step awaited: the game goes no further."""


def fail(message):
    failures.append(message)


def key(name, what, until):
    """Presses the key once Orca is listening and waits until it says what until() accepts
    among what it said since; returns that."""
    global events_since
    events_since = len(orca.lines)
    mark = len(orca.said)
    subprocess.run(['xdotool', 'key', name], check=True)
    found = []

    def heard():
        found[:] = [s for s in orca.said[mark:] if until(s)]
        return bool(found)

    waited = orca.wait_for(heard)
    steps.append((what, orca.said[mark:]))
    if not waited:
        raise Unheard(f'{what}: Orca did not say what was awaited')
    return found[0]


def table(ground, played, to_play, not_to_play=()):
    """The table as the focus rests on it: the ground, the count, the hand."""
    hand = w['to_play'].format(w['sep'].join(to_play)) if to_play else w['nothing']
    if not_to_play:
        hand += w['not_to_play'].format(w['sep'].join(not_to_play))
    return w['table'].format(ground, played, hand)


def hears_table(words):
    return lambda said: said.startswith(words)


def key_table(name, what, words):
    """A key after which the focus rests on the table: its words, said as a status, and
    told to Orca once, before the focus comes to it (else it hears the new words only
    because it asks for them late)."""
    said = key(name, what, hears_table(words))
    if said and w['button'] in said[len(words):]:
        fail(f'{what}: the table is offered as a button: {said!r}')
    told = []
    for line in orca.lines[events_since:]:
        event = line and re.search(r'EVENT MANAGER: (object:\S+) for \[status bar \|.*\((\d+), ', line)
        if event and (event[1] != 'object:state-changed:focused' or event[2] == '1'):
            told.append(event[1].split(':')[-1])
    if told != ['accessible-name', 'focused']:
        fail(f'{what}: Orca was told of the table: {told}, not its new words once, then the focus')
    return said


def button(words):
    return f"{words} {w['button']}."


home = private_home()
orca = Orca(home)
vop = None
try:
    if not orca.wait_for(lambda: any(l and 'ORCA: Starting registry' in l for l in orca.lines)):
        sys.exit('Orca did not start:\n' + '\n'.join(l for l in orca.lines if l)[-2000:])
    # The deal: H7 H2 S7 C9 DK; refills C2 and D4; "N" deals the game that can be won;
    # after the win, HA S2 C9 D3 H5.
    h7, h2, s7, c9, dk, c2, d4 = (card_words(language, c)
                                  for c in ('H7', 'H2', 'S7', 'C9', 'DK', 'C2', 'D4'))
    mark = len(orca.said)
    vop = subprocess.Popen([program, 'H7', 'H2', 'S7', 'C9', 'DK', 'C2', 'D4', 'winnable',
                            'HA', 'S2', 'C9', 'D3', 'H5'])
    dealt = table(w['none'], 0, [h7, h2, s7, c9, dk])
    waited = orca.wait_for(lambda: any(hears_table(dealt)(s) for s in orca.said[mark:]))
    steps.append(('[window shown]', orca.said[mark:]))
    if not waited:
        raise Unheard('the window opened, and the table was not said')
    opened = steps[-1][1]
    if not opened or not opened[0].startswith(w['window'].format(0) + ' '):
        fail(f"the window is not announced in the player's words: {opened[:1]}")

    # Two plays: Tab reaches the first card, Space plays it; the table says the new hand.
    key('Tab', '[Tab]', lambda s: s == button(h7))
    key_table('space', '[Space]', table(h7, 1, [h2, s7], [c2, c9, dk]))
    key('Tab', '[Tab]', lambda s: s == button(h2))
    after_two = table(h2, 2, [c2], [d4, s7, c9, dk])
    key_table('space', '[Space]', after_two)
    key('Tab', '[Tab]', lambda s: s == button(c2))
    key('Tab', '[Tab]', lambda s: s == button(w['new']))

    # "N" deals the game that can be won; slot 0 then plays 48 times, slots 1 to 4 after.
    chain = [card_words(language, c) for c in winnable_chain()]
    hand = [chain[0]] + chain[48:]
    key_table('space', '[Space] on "N"', table(w['none'], 0, hand))
    for n in range(1, 49):
        key('Tab', '[Tab]', lambda s, c=hand[0]: s == button(c))
        hand[0] = chain[n] if n < 48 else w['empty']
        ground = table(chain[n - 1], n, [])[:-len(w['nothing'])]
        key('space', '[Space]', hears_table(ground))
    for slot in range(1, 4):
        for tab in range(slot + 1):
            key('Tab', '[Tab]', lambda s, c=hand[tab]: s == button(c))
        hand[slot] = w['empty']
        key_table('space', '[Space]', table(chain[47 + slot], 48 + slot, hand))
    for tab in range(5):
        key('Tab', '[Tab]', lambda s, c=hand[tab]: s == button(c))
    key('space', '[Space]: the last card', lambda s: w['win'] in s)
    after_win = table(chain[51], 0, [card_words(language, c) for c in ('HA', 'C9')],
                      [card_words(language, c) for c in ('S2', 'D3', 'H5')])
    key_table('Return', '[Enter] closes "Win"', after_win)
except Unheard as unheard:
    fail(str(unheard))
finally:
    if vop:
        vop.terminate()
        vop.wait(SECONDS)
    orca.stop()
    stop_speech_dispatcher(home)

# What a blind player needs, held to the whole transcript.
said = [s for _, heard in steps for s in heard]
table_start = w['table'].split('{')[0]
for s in said:
    if w['can_play'] in s:
        fail(f'a card Tab reached says it can be played: {s!r}')
    if language == 'en' and re.search('[\u3040-\u30ff\u4e00-\u9fff]', s):
        fail(f'an English player hears Japanese characters: {s!r}')
for what, heard in steps:
    if what == '[Tab]' and len(heard) != 1:
        fail(f'Tab to a card: one line was awaited, Orca said {heard}')
    if what != '[Tab]' and sum(s.startswith(table_start) for s in heard) > 1:
        fail(f'{what}: the table was said more than once: {heard}')
    if what == '[Space]' and len(heard) != 1:
        fail(f'a play: the table alone was awaited, Orca said {heard}')
win = next((i for i, s in enumerate(said) if w['win'] in s), None)
if not failures and not any(s.startswith(after_win) for s in said[win:]):
    fail('the "Win" box and then the new table were not heard in that order')

for what, heard in steps[:8] + steps[-8:] if len(steps) > 16 else steps:
    print(f'  {what:28} ' + '  '.join(repr(s) for s in heard))
for failure in failures:
    print(f'FAILED: {failure}')
sys.exit(1 if failures else 0)
