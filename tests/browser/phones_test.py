#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Two phones play a whole game in a real browser, with the PC left alone.

    phones_test.py URL

URL is the join address the game printed. phones_test.sh starts the game with a play
folder of three questions whose right answers are known here (QUESTIONS below), then
runs this. Each phone is a headless Chromium of its own (its own profile, so its own
seat token) at a phone's size. Exit status: 0 passed, 1 failed (the reason on stderr),
77 when Chromium, its driver or Selenium are missing.

ZNDL_PHONE_SHOTS=DIR keeps a screenshot of each screen the phones pass through.
"""

import os
import shutil
import signal
import sys
import tempfile
import time

SKIP = 77
CHROMIUM = shutil.which("chromium") or "/usr/bin/chromium"
CHROMEDRIVER = shutil.which("chromedriver") or "/usr/bin/chromedriver"

try:
    from selenium import webdriver
    from selenium.common.exceptions import WebDriverException
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.by import By
    from selenium.webdriver.support.ui import Select
except ImportError:
    print("SKIP: python3-selenium is not installed", file=sys.stderr)
    sys.exit(SKIP)

# The questions of the play folder's phones.set, in order, with their right answers
# and the two wrong ones. phones_test.sh writes the same texts in Windows-1252.
QUESTIONS = [
    ("Which planet is called the Red Planet?", "Mars", ["Venus", "Jupiter"]),
    ("Which café drink is made with steamed milk?", "Latte", ["Espresso", "Ristretto"]),
    ("Which tag makes text bold: <b> or <i> & co?", "<b>", ["<i>", "<u>"]),
]
GROUP = "phones.set"

# Names with markup in them: the page must show them as typed, never as markup.
NAME_ONE = "Ann <b>Bold</b> & Co"
PET_ONE = "Rex"
NAME_TWO = "Zoë"
PET_TWO = "Goldie"
SEAT_WORDS = ["Player one", "Player two"]

PHONE_WIDTH, PHONE_HEIGHT = 412, 915
SHOTS = os.environ.get("ZNDL_PHONE_SHOTS", "")


class Failure(Exception):
    pass


def fail(message):
    raise Failure(message)


def wait_until(what, condition, seconds=10.0):
    """Polls condition until it returns a true value, which it returns; fails after
    seconds with what was awaited and the last thing condition said."""
    deadline = time.monotonic() + seconds
    last = None
    while True:
        try:
            value = condition()
            if value:
                return value
            last = value
        except WebDriverException as e:
            last = e.msg
        if time.monotonic() > deadline:
            fail(f"{what}: still not so after {seconds:g} s (last: {last!r})")
        time.sleep(0.1)


class Phone:
    """One phone: a browser with a profile of its own, on the pad page."""

    def __init__(self, label, url):
        self.label = label
        self.url = url
        self.profile = tempfile.mkdtemp(prefix="zndl-phone-")
        options = webdriver.ChromeOptions()
        options.binary_location = CHROMIUM
        for flag in (
            "--headless=new",
            "--no-sandbox",
            "--disable-gpu",
            "--disable-quic",
            "--no-first-run",
            "--disable-background-networking",
            "--disable-component-update",
            "--disable-sync",
            "--disable-dev-shm-usage",
            "--no-proxy-server",
            f"--user-data-dir={self.profile}",
            f"--window-size={PHONE_WIDTH},{PHONE_HEIGHT}",
        ):
            options.add_argument(flag)
        # A phone's screen: its width for the viewport meta tag, and touch.
        options.add_experimental_option(
            "mobileEmulation",
            {"deviceMetrics": {"width": PHONE_WIDTH, "height": PHONE_HEIGHT,
                               "pixelRatio": 1.0, "touch": True}})
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        self.driver = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)
        self.driver.set_page_load_timeout(30)
        self.console = []

    def close(self):
        try:
            self.driver.quit()
        except WebDriverException:
            pass
        shutil.rmtree(self.profile, ignore_errors=True)

    # ---- looking ----

    def open(self):
        self.driver.get(self.url)

    def reload(self):
        self.collect_console()
        self.driver.refresh()

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def element(self, id_):
        return self.driver.find_element(By.ID, id_)

    def text(self, id_):
        return self.js("return document.getElementById(arguments[0]).textContent", id_)

    def shown(self, id_):
        """Whether the element and every element around it is on view."""
        return self.js("""
            for (let e = document.getElementById(arguments[0]); e; e = e.parentElement)
              if (e.hidden || getComputedStyle(e).display === 'none') return false;
            return true;""", id_)

    def screen(self):
        return self.js("return document.body.dataset.screen")

    def seat(self):
        return self.js("return document.body.dataset.seat")

    def live(self, id_):
        """A button the player can press now: on view, enabled and lit."""
        return self.shown(id_) and self.js(
            "const b = document.getElementById(arguments[0]);"
            "return !b.disabled && (b.id.indexOf('answer-') !== 0 || b.classList.contains('live'))",
            id_)

    def lit(self, id_):
        """An answer button that looks pressable or is: enabled or lit up."""
        return self.shown(id_) and self.js(
            "const b = document.getElementById(arguments[0]);"
            "return !b.disabled || b.classList.contains('live')", id_)

    def go_label(self):
        return self.text("go") if self.shown("go") else ""

    def answer_lines(self):
        return [self.text(f"answer-line-{i}") for i in range(3)]

    def desk(self, seat):
        return self.js("""
            const d = document.getElementById('score-' + arguments[0]);
            return [d.querySelector('.points').textContent,
                    d.querySelector('.desk-lives-text').textContent];""", seat)

    def shot(self, name):
        if SHOTS:
            self.driver.save_screenshot(os.path.join(SHOTS, f"{name}.png"))

    def network(self, online):
        """Takes the phone off the network or puts it back: no new connection gets
        through while it is off."""
        self.driver.execute_cdp_cmd("Network.enable", {})
        self.driver.execute_cdp_cmd("Network.emulateNetworkConditions", {
            "offline": not online, "latency": 0,
            "downloadThroughput": -1, "uploadThroughput": -1})

    def _sockets(self, function):
        """Runs function on the array of the page's WebSockets, found in its heap:
        the page is not asked and has no hook for the test."""
        cdp = self.driver.execute_cdp_cmd
        prototype = cdp("Runtime.evaluate", {"expression": "WebSocket.prototype"})
        sockets = cdp("Runtime.queryObjects",
                      {"prototypeObjectId": prototype["result"]["objectId"]})
        result = cdp("Runtime.callFunctionOn", {
            "objectId": sockets["objects"]["objectId"],
            "functionDeclaration": function, "returnByValue": True})
        return result["result"]["value"]

    def open_sockets(self):
        return self._sockets("function () { return this.filter((w) => w.readyState === 1).length; }")

    def drop_connection(self):
        """Closes the page's WebSocket from outside, as a phone that walks out of the
        Wi-Fi loses it; returns how many were open."""
        return self._sockets("function () {"
                             " const open = this.filter((w) => w.readyState === 1);"
                             " open.forEach((w) => w.close()); return open.length; }")

    def collect_console(self):
        try:
            self.console += self.driver.get_log("browser")
        except WebDriverException:
            pass

    # ---- waiting ----

    def wait_screen(self, screen, seconds=10.0):
        wait_until(f"{self.label} shows the {screen} screen",
                   lambda: self.screen() == screen, seconds)

    def wait_seat(self, seat):
        wait_until(f"{self.label} holds seat {seat}", lambda: self.seat() == str(seat))

    def wait_text(self, id_, expected, seconds=10.0):
        seen = []

        def reads():
            seen.append(self.text(id_))
            return seen[-1] == expected
        try:
            wait_until(f"{self.label}'s #{id_} reads {expected!r}", reads, seconds)
        except Failure as e:
            fail(f"{e} but {seen[-1] if seen else None!r}")

    def wait_go(self, label, seconds=10.0):
        wait_until(f"{self.label} offers {label!r} on its go button",
                   lambda: self.go_label() == label and self.live("go"), seconds)

    # ---- doing ----

    def click(self, id_):
        wait_until(f"{self.label} can press #{id_}", lambda: self.live(id_))
        self.element(id_).click()

    def type_into(self, id_, text):
        field = self.element(id_)
        field.clear()
        field.send_keys(text)
        # Leaving the field sends it, as a player tapping elsewhere would.
        self.js("document.getElementById(arguments[0]).blur()", id_)


def expect(condition, message):
    if not condition:
        fail(message)


def right_slot(phone, right):
    lines = phone.answer_lines()
    for letter, line in zip("abc", lines):
        if line == f"{letter.upper()}- {right}":
            return letter
    fail(f"{phone.label} shows no answer {right!r}: {lines}")


def answers_dead(phone):
    """A, B and C on view, dimmed and disabled."""
    return all(phone.shown(f"answer-{letter}") and not phone.lit(f"answer-{letter}")
               for letter in "abc")


def play_question(number, asker, other, right, reload_mid_question=False):
    """The asker's question: CONTINUE on its phone, then its answer. The other phone
    may press nothing meanwhile."""
    text, answer, wrongs = QUESTIONS[number]
    press_go(asker, other, "CONTINUE", f"before question {number + 1}")
    wait_until(f"{asker.label}'s A, B and C light up for question {number + 1}",
               lambda: all(asker.live(f"answer-{letter}") for letter in "abc"), 15)
    asker.shot(f"quiz-{number + 1}-answering")
    other.shot(f"quiz-{number + 1}-watching")
    expect(asker.text("question") == text,
           f"{asker.label} shows the question as {asker.text('question')!r}, not {text!r}")
    other.wait_text("question", text, 3)
    expect(answers_dead(other), f"{other.label}'s A, B or C are live on {asker.label}'s turn")
    expect(not other.live("go"), f"{other.label} has a live go button during the countdown")
    for phone in (asker, other):
        shown = sorted(line[3:] for line in phone.answer_lines())
        expect(shown == sorted([answer] + wrongs),
               f"{phone.label} shows the answers {phone.answer_lines()}")
        expect(not phone.js("return !!document.querySelector('#question b, #answers b')"),
               f"{phone.label} made markup of the question's text")
    expect(asker.text("clock").isdigit(), f"{asker.label}'s clock reads {asker.text('clock')!r}")

    if reload_mid_question:
        before = asker.seat()
        asker.reload()
        wait_until(f"{asker.label} has its seat back after reloading",
                   lambda: asker.seat() == before and asker.screen() == "quiz", 15)
        asker.wait_text("question", text)
        wait_until(f"{asker.label}'s A, B and C are live again after reloading",
                   lambda: all(asker.live(f"answer-{letter}") for letter in "abc"))
        expect(asker.text("status") == "connected",
               f"{asker.label}'s status reads {asker.text('status')!r} after reloading")

    slot = right_slot(asker, answer)
    letter = slot if right else "abc"[("abc".index(slot) + 1) % 3]
    asker.click(f"answer-{letter}")
    verdict = "CORRECT" if right else "WRONG"
    for phone in (asker, other):
        wait_until(f"{phone.label} shows {verdict} for question {number + 1}",
                   lambda phone=phone: phone.shown("result") and phone.text("result") == verdict)
    asker.shot(f"quiz-{number + 1}-result")
    expect(answers_dead(asker), f"{asker.label}'s answers are still live after the result")


def both_show(phones, screen, seconds=10.0):
    for phone in phones:
        phone.wait_screen(screen, seconds)


def press_go(presser, watcher, label, where):
    """The go button that the screen in front offers one phone alone: pressed."""
    presser.wait_go(label)
    expect(watcher.go_label() == "",
           f"{watcher.label} offers {watcher.go_label()!r} as well {where}")
    presser.click("go")


def check_desks(phones, scores, lives, when):
    for phone in phones:
        for seat in (0, 1):
            expected = [str(scores[seat]), f"{lives[seat]} lives"]
            wait_until(f"{phone.label} shows {SEAT_WORDS[seat].lower()} with {expected} {when}",
                       lambda phone=phone, seat=seat: phone.desk(seat) == expected, 5)


def check_console(phones):
    """The page's own faults: a script error or anything the page's security policy
    refused (an inline style, a script from elsewhere)."""
    for phone in phones:
        phone.collect_console()
        for entry in phone.console:
            message = entry.get("message", "")
            if ("Content Security Policy" in message or "Refused to" in message
                    or "Uncaught" in message):
                fail(f"{phone.label}'s console: {message}")


def dead_heat(one, two):
    """A second game that ends level: the coin call and the tie break from the phones."""
    one.click("play")
    both_show((one, two), "quiz", 90)
    check_desks((one, two), [0, 0], [5, 5], "as the second game starts")
    # The turn goes on from the last game: player two answered its last question but
    # one, so player two asks first now.
    expect(NAME_TWO in one.text("turn"), f"phone 1's turn line reads {one.text('turn')!r}")
    play_question(0, two, one, right=False)
    play_question(1, one, two, right=False)
    play_question(2, two, one, right=False)
    check_desks((one, two), [0, 0], [4, 3], "after three wrong answers")
    press_go(one, two, "CONTINUE", "after the last question")
    both_show((one, two), "notice")
    # Nobody won: OK is player one's.
    press_go(one, two, "OK", "after a dead heat")
    both_show((one, two), "coinCall")
    caller = wait_until("one phone is asked to call the coin",
                        lambda: [p for p in (one, two) if p.live("heads") and p.live("tails")])
    expect(len(caller) == 1, "both phones may call the coin")
    caller = caller[0]
    other = two if caller is one else one
    expect(not other.shown("heads"), f"{other.label} may call the coin too")
    expect(caller.text("host") != "", f"{caller.label} shows no call to make")
    caller.shot("coin-call")
    caller.click("heads")
    both_show((one, two), "tieBreak")
    caller.wait_go("TOSS THE COIN")
    caller.shot("tie-break")
    press_go(caller, other, "TOSS THE COIN", "before the toss")
    winner = wait_until("the coin lands and one phone may kill the pet",
                        lambda: [p for p in (one, two) if p.go_label() == "KILL THE PET"], 20)
    expect(len(winner) == 1, "both phones may kill the pet")
    winner = winner[0]
    loser = two if winner is one else one
    face = winner.text("host")
    expect(face != "" and loser.text("host") == face,
           f"the phones show the coin as {face!r} and {loser.text('host')!r}")
    winner.shot("coin-landed")
    winner.click("go")
    both_show((one, two), "finale")
    press_go(winner, loser, "Kill", "in the finale")
    press_go(winner, loser, "Back To Title", "in the finale")
    both_show((one, two), "title")


def scenario(url, phones):
    one = Phone("phone 1", url)
    phones.append(one)
    one.open()
    one.wait_seat(0)
    one.wait_screen("title")
    two = Phone("phone 2", url)
    phones.append(two)
    two.open()
    two.wait_seat(1)
    two.wait_screen("title")
    for phone in (one, two):
        for seat in (0, 1):
            wait_until(f"{phone.label} shows {SEAT_WORDS[seat].lower()} connected",
                       lambda phone=phone, seat=seat: phone.js(
                           "return document.querySelector('#seat-' + arguments[0] + ' .seat-state')"
                           ".textContent", seat) == f"{SEAT_WORDS[seat]}: connected")
    one.shot("title")
    print("ok: two phones hold the two seats")

    one.type_into("name", NAME_ONE)
    one.type_into("pet", PET_ONE)
    one.click("type-2")
    two.type_into("name", NAME_TWO)
    two.type_into("pet", PET_TWO)
    two.click("type-1")
    wait_until("phone 2 offers the answer times", lambda: two.shown("time-1"))
    times = [two.text(f"time-{i}") for i in range(3)]
    expect(times == ["5", "10", "15"], f"phone 2 offers the times {times}")
    two.click("time-1")
    # Each phone sees the other's name as the game keeps it: as typed, not as markup.
    two.wait_text("who-name", NAME_TWO)
    wait_until("phone 2 shows player one's name as typed",
               lambda: two.js("return document.querySelector('#seat-0 .seat-name').textContent")
               == NAME_ONE)
    expect(not two.js("return !!document.querySelector('#seats b, #bar b')"),
           "phone 2 made markup of player one's name")
    wait_until("phone 1 shows player two's name",
               lambda: one.js("return document.querySelector('#seat-1 .seat-name').textContent")
               == NAME_TWO)

    # A name too long is refused on the phone and never reaches the game.
    one.js("""const f = document.getElementById('name');
              f.value = 'x'.repeat(201);
              f.dispatchEvent(new Event('input'));
              f.dispatchEvent(new Event('change'));""")
    wait_until("phone 1 says the name is too long", lambda: one.shown("name-error"))
    time.sleep(1.5)
    expect(two.js("return document.querySelector('#seat-0 .seat-name').textContent") == NAME_ONE,
           "a name of 201 characters reached the game")
    one.type_into("name", NAME_ONE)
    expect(not one.shown("name-error"), "phone 1 still objects to a good name")

    # The game keeps what phone 2 entered: a reload shows it all again.
    two.reload()
    two.wait_seat(1)
    two.wait_screen("title")
    expect(two.element("name").get_attribute("value") == NAME_TWO,
           f"phone 2's name reads {two.element('name').get_attribute('value')!r} after a reload")
    expect(two.element("pet").get_attribute("value") == PET_TWO,
           f"phone 2's pet reads {two.element('pet').get_attribute('value')!r} after a reload")
    for id_ in ("type-1", "time-1"):
        expect(two.element(id_).get_attribute("aria-checked") == "true",
               f"phone 2's #{id_} is not chosen after a reload")
    print("ok: each phone's entries reach the game, shown as typed on the other phone")

    # Phone 2's connection drops: the page gets a new one by itself, with its seat.
    expect(two.drop_connection() == 1, "phone 2 had no open connection to drop")
    wait_until("phone 2 connects again by itself", lambda: two.open_sockets() == 1, 5)
    two.wait_text("status", "connected")
    two.wait_seat(1)
    # Then it loses it and cannot get back for a while: it says so, and the game keeps
    # its seat; back on the network it returns by itself.
    two.network(online=False)
    expect(two.drop_connection() == 1, "phone 2 had no open connection to drop")
    two.wait_text("status", "reconnecting...", 5)
    wait_until("phone 1 shows player two reconnecting",
               lambda: one.js("return document.querySelector('#seat-1 .seat-state').textContent")
               == "Player two: reconnecting")
    time.sleep(2)  # a few tries that fail
    expect(two.text("status") == "reconnecting...",
           f"phone 2's status reads {two.text('status')!r} while it is off the network")
    expect(two.shown("status") and two.screen() == "title",
           f"phone 2 shows {two.screen()} and no reconnecting while off the network")
    two.shot("reconnecting")
    two.network(online=True)
    # The page tries again at most three seconds apart.
    two.wait_text("status", "connected", 6)
    two.wait_seat(1)
    wait_until("phone 1 shows player two connected again",
               lambda: one.js("return document.querySelector('#seat-1 .seat-state').textContent")
               == "Player two: connected")
    print("ok: phone 2 lost its connection, said so, and came back to its seat by itself")

    expect(one.live("play") is False, "Play is live before a group is chosen")
    Select(one.element("group")).select_by_value(GROUP)
    wait_until("phone 2 shows the group phone 1 chose",
               lambda: two.element("group").get_attribute("value") == GROUP)
    one.shot("title-ready")
    two.click("play")
    both_show((one, two), "introduction")
    wait_until("the host speaks on phone 1", lambda: one.text("host") != "")
    one.shot("introduction")
    expect(one.go_label() == "" and two.go_label() == "",
           "a go button is offered during the introduction")
    print("ok: Play from phone 2 starts the introduction on both phones")

    both_show((one, two), "quiz", 90)
    expect(one.text("turn").endswith(NAME_ONE), f"phone 1's turn line reads {one.text('turn')!r}")
    one.shot("quiz-start")
    play_question(0, one, two, right=True, reload_mid_question=True)
    check_desks((one, two), [1, 0], [5, 5], "after phone 1's right answer")
    print("ok: phone 1 reloaded in mid-question, got its seat back and its answer counted")
    play_question(1, two, one, right=False)
    check_desks((one, two), [1, 0], [5, 4], "after phone 2's wrong answer")
    play_question(2, one, two, right=False)
    check_desks((one, two), [1, 0], [4, 4], "after phone 1's wrong answer")
    print("ok: three questions answered from the phones, the other phone's buttons dead")

    # Phone 2 answers next: its CONTINUE finds no question left and ends the game.
    press_go(two, one, "CONTINUE", "after the last question")
    both_show((one, two), "notice")
    wait_until("the verdict reaches phone 2", lambda: two.text("host") != "")
    expect(two.text("host") == one.text("host"), "the phones show different verdicts")
    one.wait_go("OK")
    one.shot("notice")
    press_go(one, two, "OK", "on the winner's notice")
    both_show((one, two), "finale")
    one.wait_go("Kill")
    expect(two.go_label() == "", f"the loser's phone offers {two.go_label()!r} in the finale")
    # A double tap on Kill must not press the Back To Title that takes its place.
    one.js("const go = document.getElementById('go');"
           "go.click(); setTimeout(() => go.click(), 120);")
    one.wait_go("Back To Title")
    time.sleep(1.0)
    expect(one.screen() == "finale", "a double tap on Kill went on to Back To Title")
    one.shot("finale")
    press_go(one, two, "Back To Title", "in the finale")
    both_show((one, two), "title")
    wait_until("phone 1 offers Play again", lambda: one.live("play"))
    print("ok: OK, Kill and Back To Title from the winner's phone; both phones back at the title")

    dead_heat(one, two)
    print("ok: a dead heat: OK from player one, the coin called, tossed and the pet killed "
          "from the phones")

    three = Phone("phone 3", url)
    phones.append(three)
    three.open()
    three.wait_screen("full")
    expect(three.shown("retry"), "phone 3 offers no Try again")
    expect(three.seat() == "", f"phone 3 holds seat {three.seat()!r}")
    three.shot("full")
    for phone, seat in ((one, 0), (two, 1)):
        expect(phone.seat() == str(seat) and phone.screen() == "title",
               f"{phone.label} lost its seat to phone 3")
    print("ok: a third phone is told both seats are taken")

    check_console(phones)


def on_alarm(_signal, _frame):
    fail("the test took over 7 minutes")


def main():
    if len(sys.argv) < 2:
        print("usage: phones_test.py URL [PLAY_FOLDER]", file=sys.stderr)
        return 2
    for path in (CHROMIUM, CHROMEDRIVER):
        if not os.access(path, os.X_OK):
            print(f"SKIP: {path} is not installed", file=sys.stderr)
            return SKIP
    if SHOTS:
        os.makedirs(SHOTS, exist_ok=True)
    # A hung browser must not hang the test run.
    signal.signal(signal.SIGALRM, on_alarm)
    signal.alarm(420)
    phones = []
    try:
        scenario(sys.argv[1], phones)
    except Failure as e:
        for phone in phones:
            phone.shot(f"failure-{phone.label.replace(' ', '')}")
        print(f"FAIL: {e}", file=sys.stderr)
        return 1
    except WebDriverException as e:
        print(f"FAIL: the browser: {e.msg}", file=sys.stderr)
        return 1
    finally:
        signal.alarm(0)
        for phone in phones:
            phone.close()
    print("phones test passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
