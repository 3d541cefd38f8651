#!/usr/bin/python3
# A keyboard-only game as GNOME's screen reader Orca speaks it: two plays, "N", a whole
# game to the "Win" box and the deal after it. What Orca says is the "SPEECH OUTPUT" lines
# of its debug log; each key is pressed once Orca has said what the key before brought.
#   orca_hears.py tests/qt/scripted_vop en|ja   (on an X display, in a D-Bus session and a
#     HOME of its own, where speech-dispatcher is set up; prints what Orca said)
import os, pty, re, subprocess, sys, threading  # noqa: E401

program, language = sys.argv[1], sys.argv[2]
SECONDS = 180  # the longest Orca may take to answer, on a machine busy with other work
DEAL = 'H7 H2 S7 C9 DK C2 D4 winnable HA S2 C9 D3 H5'.split()
# What Orca is to say, Orca's own role words included: the window, the table after each
# play, "N" and "Win" (said as a status), the cards Tab reaches, nothing more.
WORDS = {'en': {
    'window': 'Vop: 0 played frame.', 'status': ' statusbar.', 'button': ' push button.',
    'count': r'^Ground: .*\. {} played\. ', 'win': 'Win.',
    'dealt': 'Ground: Empty. 0 played. To play: Seven of hearts, Two of hearts, Seven of spades, Nine of clubs, King of diamonds.',
    'plays': [('Seven of hearts', 'Ground: Seven of hearts. 1 played. To play: Two of hearts, Seven of spades. Not playable: Two of clubs, Nine of clubs, King of diamonds.'),
              ('Two of hearts', 'Ground: Two of hearts. 2 played. To play: Two of clubs. Not playable: Four of diamonds, Seven of spades, Nine of clubs, King of diamonds.'),
              ('Two of clubs', None),
              ('New game', 'Ground: Empty. 0 played. To play: Ace of spades, Four of clubs, Three of clubs, Two of clubs, Ace of clubs.')],
    'won': 'Ground: Ace of clubs. 0 played. To play: Ace of hearts, Nine of clubs. Not playable: Two of spades, Three of diamonds, Five of hearts.'},
    'ja': {
    'window': 'Vop:現在0枚 フレーム.', 'status': ' ステータスバー.', 'button': ' プッシュボタン.',
    'count': r'^場札: .*。{}枚出しました。', 'win': 'Win.',
    'dealt': '場札: なし。0枚出しました。出せる札: ハートの7、ハートの2、スペードの7、クラブの9、ダイヤのキング。',
    'plays': [('ハートの7', '場札: ハートの7。1枚出しました。出せる札: ハートの2、スペードの7。出せない札: クラブの2、クラブの9、ダイヤのキング。'),
              ('ハートの2', '場札: ハートの2。2枚出しました。出せる札: クラブの2。出せない札: ダイヤの4、スペードの7、クラブの9、ダイヤのキング。'),
              ('クラブの2', None),
              ('新しいゲーム', '場札: なし。0枚出しました。出せる札: スペードのエース、クラブの4、クラブの3、クラブの2、クラブのエース。')],
    'won': '場札: クラブのエース。0枚出しました。出せる札: ハートのエース、クラブの9。出せない札: スペードの2、ダイヤの3、ハートの5。'}}
w = WORDS[language]

# Orca writes its log file in blocks, a terminal line by line: its log goes to one, read
# here as it comes, every line, and what it said apart (its echo of keys left out).
lines, said, changed = [], [], threading.Condition()
master, slave = pty.openpty()
orca = subprocess.Popen(['orca', '--debug-file=/proc/self/fd/1', '-u', os.environ['HOME']],
                        stdin=subprocess.DEVNULL, stdout=slave, stderr=slave)
os.close(slave)


def read():
    rest = b''
    try:
        while chunk := os.read(master, 65536):
            *whole, rest = (rest + chunk).split(b'\n')
            with changed:
                for line in (raw.decode('utf-8', 'replace').rstrip('\r') for raw in whole):
                    lines.append(line)
                    spoken = re.search(r"SPEECH OUTPUT: '(.*)'(?: ?\{.*\})?$", line)
                    if spoken and not re.fullmatch(r'\S+ ', spoken[1]):
                        said.append(spoken[1])
                changed.notify_all()
    except OSError:  # the terminal closes with Orca
        pass
    with changed:
        lines.append(None)
        changed.notify_all()


threading.Thread(target=read, daemon=True).start()
steps, failures = [], []


def wait_for(test):
    with changed:
        return changed.wait_for(lambda: test() or None in lines, SECONDS) and test()


def key(name, until, want, what):
    """Presses the key, waits until Orca says a line until() accepts, and holds all it said
    to want: the exact lines, or for each line a test."""
    mark, events = len(said), len(lines)
    subprocess.run(['xdotool', 'key', name], check=True)
    heard = wait_for(lambda: any(until(s) for s in said[mark:]))
    steps.append((what, said[mark:]))
    if not heard:
        raise TimeoutError(f'{what}: Orca did not say what was awaited')
    if len(said[mark:]) != len(want) or not all(
            t(s) if callable(t) else s == t for s, t in zip(said[mark:], want)):
        failures.append(f'{what}: Orca said {said[mark:]}')
    return lines[events:]


def table(name, words, window=()):
    """The table after a key, said as a status, and told to Orca once, before the focus
    comes to it (Orca's log of the events it was told)."""
    events = key(name, lambda s: s.startswith(words), [*window, words + w['status']],
                 f'[{name.capitalize()}]')
    told = [e[1] for e in (re.search(r'EVENT MANAGER: object:(\S+) for \[status bar \|.*\((\d), ',
                                     line or '') for line in events)
            if e and (e[1] != 'state-changed:focused' or e[2] == '1')]
    if told != ['property-change:accessible-name', 'state-changed:focused']:
        failures.append(f'[{name}]: Orca was told {told}, not the new words once, then the focus')


def tab(card=None):
    key('Tab', lambda s: s.endswith(w['button']),
        [card + w['button'] if card else lambda s: s.endswith(w['button'])], '[Tab]')


vop = None
try:
    if not wait_for(lambda: any(line and 'ORCA: Starting registry' in line for line in lines)):
        sys.exit('Orca did not start:\n' + '\n'.join(filter(None, lines))[-2000:])
    mark = len(said)
    vop = subprocess.Popen([program, *DEAL])
    if not wait_for(lambda: said[mark:] == [w['window'], w['dealt'] + w['status']]):
        failures.append(f'the window opened: Orca said {said[mark:]}')
    steps.append(('[window shown]', said[mark:]))
    for card, words in w['plays']:
        tab(card)
        if words:
            table('space', words)
    for n in range(1, 52):  # slot 0 plays 48 times, then slots 1 to 3; Tab passes the empty
        for _ in range(1 if n <= 48 else n - 47):
            tab()
        key('space', lambda s: re.match(w['count'].format(n), s),
            [lambda s: s.endswith(w['status'])], '[Space]')
    for _ in range(5):
        tab()
    key('space', lambda s: s == w['win'], [lambda s: True, w['win']], '[Space] "Win"')
    table('Return', w['won'], [w['window']])
except TimeoutError as unheard:
    failures.append(str(unheard))
finally:
    for process in filter(None, (vop, orca)):
        process.terminate()
        try:
            process.wait(SECONDS)
        except subprocess.TimeoutExpired:
            process.kill()

print(*[f'  {what:20} ' + '  '.join(map(repr, heard)) for what, heard in
        (steps[:10] + steps[-9:] if len(steps) > 19 else steps)], *map('FAILED: {}'.format, failures), sep='\n')
sys.exit(1 if failures else 0)
