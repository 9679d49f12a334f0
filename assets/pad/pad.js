// SPDX-License-Identifier: GPL-3.0-or-later
// A contestant's answer pad. The phone holds one seat of the game on the PC through a
// WebSocket: it says who it is (hello, with the seat's token kept from before), then
// shows whatever the game says it shows and sends the presses and entries the game
// says it may. The game decides everything; this page never guesses ahead of it, so a
// phone that reloads or drops out of the Wi-Fi simply catches up from the next view.
//
// Every text from the game goes in with textContent: names and questions are the
// players' own typing and must never be read as markup.
'use strict';

(function () {
  const PING_MS = 15000;             // the game drops a connection silent for 60 s
  const RETRY_FIRST_MS = 300;        // reconnecting: quick at first...
  const RETRY_MOST_MS = 3000;        // ...and never slower than this
  const ENTRY_PAUSE_MS = 700;        // typing: sent once the player stops for this long
  const ENTRY_MOST = 200;            // characters in a name or a pet's name
  const PRESS_LOCK_MS = 1500;        // a press waits this long at most for the game's word
  const NEW_BUTTON_GRACE_MS = 450;   // a double tap must not press the button that follows
  const STARTING_LIVES = 5;

  // The go button, labelled as the PC's own button for the action is.
  const GO_LABELS = {
    continue: 'CONTINUE',
    ok: 'OK',
    toss: 'TOSS THE COIN',
    killpet: 'KILL THE PET',
    kill: 'Kill',
    back: 'Back To Title',
  };
  const GO_ACTIONS = Object.keys(GO_LABELS);
  // The buttons that can take the place of the one just pressed.
  const GRACED = GO_ACTIONS.concat(['heads', 'tails']);
  const SEAT_NAMES = ['Player one', 'Player two'];
  const PET_TYPES = ['Hamster', 'Goldfish', 'Mouse', 'Dog'];
  const HOST_HEADINGS = {
    introduction: 'Pembril introduces',
    notice: 'The verdict',
    tieBreak: 'The coin toss',
    coinCall: 'Call the coin',
    finale: 'The finale',
  };
  const NO_GROUP = '';
  // The close code the game gives a connection whose seat another page took with its
  // token.
  const CLOSE_TAKEN_OVER = 4000;

  const $ = (id) => document.getElementById(id);
  const body = document.body;

  // The run's token is the page's own address: /j/TOKEN.
  const pathMatch = /^\/j\/([^/]+)\/?$/.exec(location.pathname);
  const RUN = pathMatch ? pathMatch[1] : '';
  const TOKEN_KEY = 'zandoodle.seat.' + RUN;

  // The seat token: kept per run, so a new run of the game starts every phone afresh.
  // A browser that refuses storage (private mode) still keeps it for this page's life.
  let memoryToken = '';
  function keptToken() {
    let token = memoryToken;
    try {
      token = localStorage.getItem(TOKEN_KEY) || '';
    } catch (e) { /* storage refused: the memory copy stands */ }
    // The game ignores a hello whose token is malformed, so never offer one.
    return /^[0-9a-f]{32}$/.test(token) ? token : '';
  }
  function keepToken(token) {
    memoryToken = token;
    try {
      localStorage.setItem(TOKEN_KEY, token);
    } catch (e) { /* as above */ }
  }
  function forgetToken() {
    memoryToken = '';
    try {
      localStorage.removeItem(TOKEN_KEY);
    } catch (e) { /* as above */ }
  }

  // ---- The connection -------------------------------------------------------------

  let socket = null;
  let link = 'connecting';    // connecting, open, closed
  let everOpen = false;
  let mode = 'joining';       // joining, seated, full, freed, moved
  let seat = null;
  let view = null;
  let retryMs = RETRY_FIRST_MS;
  let retryTimer = 0;
  let pingTimer = 0;

  function connect() {
    clearTimeout(retryTimer);
    retryTimer = 0;
    if (socket) return;
    setLink('connecting');
    let ws;
    try {
      ws = new WebSocket('ws://' + location.host + '/j/' + RUN + '/ws');
    } catch (e) {
      setLink('closed');
      retryLater();
      return;
    }
    socket = ws;
    ws.onopen = function () {
      if (ws !== socket) return;
      everOpen = true;
      setLink('open');
      const token = keptToken();
      send(token ? 'hello ' + token : 'hello');
      clearInterval(pingTimer);
      pingTimer = setInterval(function () { send('ping'); }, PING_MS);
    };
    ws.onmessage = function (event) {
      if (ws !== socket) return;
      retryMs = RETRY_FIRST_MS;
      if (typeof event.data === 'string') receive(event.data);
    };
    ws.onclose = function (event) {
      if (ws !== socket) return;
      socket = null;
      clearInterval(pingTimer);
      // Another page offered this seat's token (the same phone in a second tab): the
      // seat is played there now, and taking it back at once would only start a tug
      // of war between the two.
      if (event.code === CLOSE_TAKEN_OVER && mode === 'seated') {
        mode = 'moved';
        view = null;
      }
      setLink('closed');
      if (mode !== 'joining' && mode !== 'seated') return;
      retryLater();
    };
    // An error is always followed by close, which does the work.
    ws.onerror = function () {};
  }

  function retryLater() {
    if (retryTimer) return;
    const wait = retryMs;
    retryMs = Math.min(RETRY_MOST_MS, Math.round(retryMs * 1.8));
    retryTimer = setTimeout(function () {
      retryTimer = 0;
      connect();
    }, wait);
  }

  // Drops the connection on purpose: the game has said there is no seat for us.
  function hangUp() {
    const ws = socket;
    socket = null;
    clearInterval(pingTimer);
    clearTimeout(retryTimer);
    retryTimer = 0;
    setLink('closed');
    if (ws) ws.close();
  }

  function send(text) {
    if (!socket || socket.readyState !== WebSocket.OPEN) return false;
    socket.send(text);
    return true;
  }

  // A phone that wakes up or finds its network again tries at once instead of waiting
  // out the back-off.
  function comeBack() {
    if (mode !== 'joining' && mode !== 'seated') return;
    if (!socket) {
      retryMs = RETRY_FIRST_MS;
      connect();
    } else {
      send('ping');
    }
  }
  document.addEventListener('visibilitychange', function () {
    if (document.visibilityState === 'visible') comeBack();
  });
  window.addEventListener('online', comeBack);
  window.addEventListener('pageshow', function (event) {
    if (event.persisted) comeBack();
  });

  function receive(text) {
    let message;
    try {
      message = JSON.parse(text);
    } catch (e) {
      return;
    }
    if (!message || typeof message !== 'object') return;
    if (message.full === true) {
      // Our token, if we offered one, no longer holds a seat.
      forgetToken();
      mode = 'full';
      seat = null;
      view = null;
      hangUp();
    } else if (message.freed === true) {
      forgetToken();
      mode = 'freed';
      seat = null;
      view = null;
      hangUp();
    } else if (typeof message.screen === 'string') {
      if (isSeat(message.seat)) seat = message.seat;
      mode = 'seated';
      takeView(message);
    } else if (isSeat(message.seat) && typeof message.token === 'string') {
      seat = message.seat;
      mode = 'seated';
      keepToken(message.token);
    }
    render();
  }

  function isSeat(n) {
    return n === 0 || n === 1;
  }

  // ---- Pressing -------------------------------------------------------------------

  // After a press the page waits for the game's next view before it presses anything
  // else, and a button that has just taken over (Kill becoming Back To Title, OK giving
  // way to Heads) ignores taps for a moment: the second tap of a double tap must not
  // press it. The answers have no such pause: they come after seconds of reading.
  let pressLocked = false;
  let pressLockTimer = 0;
  let graceTimer = 0;
  const armedAt = {};
  let chosen = null;  // the answer this phone gave to the question on view

  function takeView(next) {
    const before = view ? actionsOf(view) : [];
    const after = actionsOf(next);
    const now = Date.now();
    let fresh = false;
    for (const action of after) {
      if (GRACED.indexOf(action) >= 0 && before.indexOf(action) < 0) {
        armedAt[action] = now + NEW_BUTTON_GRACE_MS;
        fresh = true;
      }
    }
    // The new button comes alive once its grace is over, without waiting for a view.
    if (fresh) {
      clearTimeout(graceTimer);
      graceTimer = setTimeout(render, NEW_BUTTON_GRACE_MS + 20);
    }
    view = next;
    pressLocked = false;
    clearTimeout(pressLockTimer);
  }

  function actionsOf(v) {
    return v && Array.isArray(v.actions) ? v.actions.filter((a) => typeof a === 'string') : [];
  }

  function mayPress(action) {
    return link === 'open' && !pressLocked && actionsOf(view).indexOf(action) >= 0 &&
        Date.now() >= (armedAt[action] || 0);
  }

  function press(action) {
    if (!mayPress(action)) return false;
    if (!send('press ' + action)) return false;
    pressLocked = true;
    clearTimeout(pressLockTimer);
    pressLockTimer = setTimeout(function () {
      pressLocked = false;
      render();
    }, PRESS_LOCK_MS);
    render();
    return true;
  }

  // ---- Entries on the title screen ------------------------------------------------

  // A name field shows what the game keeps, except while the player has it in hand:
  // typing in it, a text the page refused, or a text sent that the game has not yet
  // echoed (for a moment at most: the game may refuse it too, and then its own stands).
  const ENTRY_ECHO_MS = 2000;
  const sent = { name: null, pet: null };
  const entryTimers = { name: 0, pet: 0 };
  const refused = { name: false, pet: false };
  const awaitedUntil = { name: 0, pet: 0 };

  // Why a name cannot be sent, or '' when it can. The game checks again.
  function entryProblem(text) {
    if (/[\r\n\u0085\u2028\u2029]/.test(text)) return 'One line only, please.';
    if (/[\u0000-\u001f\u007f-\u009f]/.test(text)) return 'That has a character that cannot be typed in.';
    if (Array.from(text).length > ENTRY_MOST) return 'At most ' + ENTRY_MOST + ' characters, please.';
    return '';
  }

  function commitEntry(field) {
    clearTimeout(entryTimers[field]);
    entryTimers[field] = 0;
    const input = $(field);
    const problem = entryProblem(input.value);
    showProblem(field, problem);
    if (problem || input.value === sent[field]) return;
    if (send(field + ' ' + input.value)) {
      sent[field] = input.value;
      awaitedUntil[field] = Date.now() + ENTRY_ECHO_MS;
      setTimeout(render, ENTRY_ECHO_MS + 20);
    }
  }

  function showProblem(field, problem) {
    refused[field] = problem !== '';
    const error = $(field + '-error');
    setText(error, problem);
    error.hidden = problem === '';
    $(field).setAttribute('aria-invalid', problem ? 'true' : 'false');
  }

  function inHand(field, gameValue) {
    if (document.activeElement === $(field) || entryTimers[field] !== 0 || refused[field])
      return true;
    return gameValue !== sent[field] && Date.now() < awaitedUntil[field];
  }

  for (const field of ['name', 'pet']) {
    const input = $(field);
    input.addEventListener('input', function () {
      clearTimeout(entryTimers[field]);
      entryTimers[field] = setTimeout(function () { commitEntry(field); }, ENTRY_PAUSE_MS);
    });
    input.addEventListener('change', function () { commitEntry(field); });
    input.addEventListener('blur', function () { commitEntry(field); });
    input.addEventListener('keydown', function (event) {
      if (event.key !== 'Enter') return;
      event.preventDefault();
      commitEntry(field);
      if (field === 'name') $('pet').focus(); else input.blur();
    });
  }

  for (let type = 0; type < 4; ++type) {
    $('type-' + type).addEventListener('click', function () {
      if (!view || !view.entry || view.entry.type === type) return;
      if (send('type ' + type)) markChoice($('types'), this);
    });
  }

  $('time').addEventListener('click', function (event) {
    const button = event.target.closest('button');
    if (!button || !view || !view.entry || button.dataset.time === view.entry.time) return;
    if (send('time ' + button.dataset.time)) markChoice($('time'), button);
  });

  $('group').addEventListener('change', function () {
    if (this.value !== NO_GROUP) send('group ' + this.value);
  });

  $('play').addEventListener('click', function () { press('play'); });
  $('go').addEventListener('click', function () {
    if (this.dataset.action) press(this.dataset.action);
  });
  $('heads').addEventListener('click', function () { press('heads'); });
  $('tails').addEventListener('click', function () { press('tails'); });
  for (const letter of ['a', 'b', 'c']) {
    $('answer-' + letter).addEventListener('click', function () {
      if (press(letter)) {
        chosen = { letter: letter, question: view.question };
        render();
      }
    });
  }
  $('retry').addEventListener('click', function () {
    mode = 'joining';
    view = null;
    retryMs = RETRY_FIRST_MS;
    render();
    connect();
  });

  // ---- Showing --------------------------------------------------------------------

  // Writes a text only when it changed: no flicker, and a screen reader hears news.
  function setText(element, text) {
    const value = text === undefined || text === null ? '' : String(text);
    if (element.textContent !== value) element.textContent = value;
  }

  function textAt(list, i) {
    return Array.isArray(list) && typeof list[i] === 'string' ? list[i] : '';
  }
  function numberAt(list, i) {
    return Array.isArray(list) && typeof list[i] === 'number' ? list[i] : 0;
  }
  function nameOf(i) {
    return (view && textAt(view.names, i)) || SEAT_NAMES[i] || '';
  }

  function markChoice(group, picked) {
    for (const button of group.querySelectorAll('button')) {
      const on = button === picked;
      button.setAttribute('aria-checked', on ? 'true' : 'false');
      button.classList.toggle('on', on);
    }
  }

  function setLink(state) {
    link = state;
    render();
  }

  function screenWord() {
    if (mode === 'full' || mode === 'freed' || mode === 'moved') return mode;
    if (!view) return everOpen ? 'joining' : 'connecting';
    return view.screen;
  }

  function render() {
    const screen = screenWord();
    body.dataset.screen = screen;
    body.dataset.seat = seat === null ? '' : String(seat);
    body.dataset.link = link;
    renderStatus();

    const section = screen === 'title' ? 'view-title'
        : screen === 'quiz' ? 'view-quiz'
        : view ? 'view-host' : 'view-message';
    for (const id of ['view-message', 'view-title', 'view-host', 'view-quiz'])
      $(id).hidden = id !== section;

    if (section === 'view-message') renderMessage();
    else if (section === 'view-title') renderTitle();
    else if (section === 'view-host') renderHost();
    else renderQuiz();
    renderControls(section);
  }

  function renderStatus() {
    const status = $('status');
    let text;
    if (mode === 'full' || mode === 'freed' || mode === 'moved') text = 'not in the game';
    else if (link === 'open') text = 'connected';
    else if (link === 'closed' || everOpen) text = 'reconnecting...';
    else text = 'connecting...';
    setText(status, text);
    status.className = text === 'connected' ? 'good' : text === 'reconnecting...' ? 'bad lost' : 'bad';

    const name = seat !== null && view ? textAt(view.names, seat) : '';
    setText($('who-seat'), seat === null ? '' : SEAT_NAMES[seat]);
    setText($('who-name'), name);

    // The other contestant's phone dropping out is worth knowing: the game waits.
    const peer = $('peer');
    const other = seat === null ? -1 : 1 - seat;
    const lost = view && other >= 0 && textAt(view.seats, other) === 'reconnecting';
    setText(peer, lost ? SEAT_NAMES[other] + '\u2019s phone is reconnecting...' : '');
    peer.hidden = !lost;
  }

  function renderMessage() {
    const retry = $('retry');
    let title = 'Zandoodle';
    let text = 'Joining the game...';
    retry.hidden = true;
    if (mode === 'full') {
      title = 'Both seats are taken';
      text = 'Two players are already in this game. When a seat comes free, try again.';
      setText(retry, 'Try again');
      retry.hidden = false;
    } else if (mode === 'freed') {
      title = 'Your seat was freed';
      text = 'The game on the PC let this seat go. Join again to play.';
      setText(retry, 'Join again');
      retry.hidden = false;
    } else if (mode === 'moved') {
      title = 'Playing on another page';
      text = 'This seat is being played from another page or tab now.';
      setText(retry, 'Play here');
      retry.hidden = false;
    } else if (link !== 'open') {
      text = everOpen || link === 'closed' ? 'Looking for the game on the PC...'
                                           : 'Joining the game...';
    }
    setText($('message-title'), title);
    setText($('message-text'), text);
  }

  function renderTitle() {
    const entry = view.entry && typeof view.entry === 'object' ? view.entry : {};
    setText($('title-heading'), seat === null ? 'Your contestant' : 'You are ' + SEAT_NAMES[seat].toLowerCase());

    for (const field of ['name', 'pet']) {
      const value = typeof entry[field] === 'string' ? entry[field] : '';
      const input = $(field);
      if (!inHand(field, value)) {
        if (input.value !== value) input.value = value;
        sent[field] = value;
      }
    }

    const types = Array.isArray(entry.types) ? entry.types : PET_TYPES;
    for (let type = 0; type < 4; ++type) {
      const button = $('type-' + type);
      setText(button, textAt(types, type) || PET_TYPES[type]);
      const on = entry.type === type;
      button.setAttribute('aria-checked', on ? 'true' : 'false');
      button.classList.toggle('on', on);
    }

    const times = Array.isArray(entry.times) ? entry.times.filter((t) => typeof t === 'string') : [];
    const timeBox = $('time');
    if (timeBox.dataset.items !== JSON.stringify(times)) {
      timeBox.dataset.items = JSON.stringify(times);
      timeBox.replaceChildren();
      times.forEach(function (t, i) {
        const button = document.createElement('button');
        button.type = 'button';
        button.id = 'time-' + i;
        button.className = 'choice';
        button.setAttribute('role', 'radio');
        button.dataset.time = t;
        button.textContent = t;
        timeBox.appendChild(button);
      });
    }
    for (const button of timeBox.querySelectorAll('button')) {
      const on = button.dataset.time === entry.time;
      button.setAttribute('aria-checked', on ? 'true' : 'false');
      button.classList.toggle('on', on);
    }

    const groups = Array.isArray(view.groups) ? view.groups.filter((g) => typeof g === 'string') : [];
    const group = typeof view.group === 'string' ? view.group : '';
    const groupChosen = groups.indexOf(group) >= 0;
    const select = $('group');
    const items = JSON.stringify([groupChosen, groups]);
    if (select.dataset.items !== items) {
      select.dataset.items = items;
      select.replaceChildren();
      if (!groupChosen) {
        const none = new Option('Choose a group...', NO_GROUP);
        none.disabled = true;
        select.appendChild(none);
      }
      for (const g of groups) select.appendChild(new Option(g, g));
    }
    select.value = groupChosen ? group : NO_GROUP;
    select.classList.toggle('missing', !groupChosen);

    for (let i = 0; i < 2; ++i) {
      const row = $('seat-' + i);
      const state = textAt(view.seats, i) || 'waiting';
      setText(row.querySelector('.seat-state'), SEAT_NAMES[i] + ': ' + state);
      setText(row.querySelector('.seat-name'), textAt(view.names, i));
      row.querySelector('.seat-you').hidden = i !== seat;
      row.className = 'state-' + state.replace(/[^a-z]/g, '');
    }

    const play = $('play');
    const canPlay = actionsOf(view).indexOf('play') >= 0;
    play.hidden = !canPlay;
    play.disabled = !groupChosen || !mayPress('play');
    let hint = '';
    if (!canPlay) hint = 'Play comes up here once both players have joined.';
    else if (!groupChosen) hint = 'Choose the question group, then Play.';
    setText($('title-hint'), hint);
  }

  function renderHost() {
    setText($('host-heading'), HOST_HEADINGS[view.screen] || '');
    const host = typeof view.host === 'string' ? view.host : '';
    setText($('host'), host);
    // The tie break's line is the coin's face: it is shown on a coin.
    const stage = $('host-stage');
    const coin = view.screen === 'tieBreak';
    stage.classList.toggle('coin', coin);
    stage.hidden = host === '' && !coin;
  }

  function renderQuiz() {
    const actions = actionsOf(view);
    const turn = isSeat(view.turn) ? view.turn : 0;
    for (let i = 0; i < 2; ++i) {
      const desk = $('score-' + i);
      const points = numberAt(view.scores, i);
      const lives = Math.max(0, numberAt(view.lives, i));
      setText(desk.querySelector('.desk-name'), nameOf(i));
      setText(desk.querySelector('.points'), points);
      setText(desk.querySelector('.points-word'), points === 1 ? ' point' : ' points');
      const shown = Math.min(lives, 9);
      setText(desk.querySelector('.desk-lives'),
              '\u2665'.repeat(shown) + '\u2661'.repeat(Math.max(0, STARTING_LIVES - shown)));
      setText(desk.querySelector('.desk-lives-text'), lives === 1 ? '1 life' : lives + ' lives');
      desk.classList.toggle('turn', i === turn);
      desk.classList.toggle('me', i === seat);
    }

    const clock = typeof view.clock === 'string' ? view.clock : '';
    const question = typeof view.question === 'string' ? view.question : '';
    const result = typeof view.result === 'string' ? view.result : '';
    const answers = [0, 1, 2].map((i) => textAt(view.answers, i));
    const counting = result === '' && /^\d+$/.test(clock) && answers.every((a) => a !== '');
    const clockBox = $('clock');
    setText(clockBox, clock);
    clockBox.classList.toggle('counting', counting);
    clockBox.classList.toggle('low', counting && Number(clock) <= 5);

    const turnLine = $('turn');
    setText(turnLine, turn === seat ? 'Your turn, ' + nameOf(turn) : nameOf(turn) + ' to play');
    turnLine.classList.toggle('mine', turn === seat);

    setText($('question'), question);
    $('question').hidden = question === '';
    $('question-wait').hidden = question !== '';
    answers.forEach(function (text, i) {
      const line = $('answer-line-' + i);
      setText(line, text);
      line.hidden = text === '';
    });

    const resultBox = $('result');
    setText(resultBox, result);
    resultBox.hidden = result === '';
    resultBox.className = result === 'CORRECT' ? 'right' : result === 'WRONG' ? 'wrong' : 'other';

    // The pick stays marked through its result, until the next question comes.
    if (chosen && chosen.question !== question) chosen = null;
    for (const letter of ['a', 'b', 'c']) {
      const button = $('answer-' + letter);
      const live = actions.indexOf(letter) >= 0;
      button.disabled = !live || !mayPress(letter);
      button.classList.toggle('live', live);
      button.classList.toggle('chosen', chosen !== null && chosen.letter === letter);
    }
  }

  function renderControls(section) {
    const actions = view && section !== 'view-message' && section !== 'view-title' ? actionsOf(view) : [];
    const goAction = GO_ACTIONS.find((a) => actions.indexOf(a) >= 0) || '';
    const go = $('go');
    go.hidden = goAction === '';
    go.dataset.action = goAction;
    setText(go, goAction ? GO_LABELS[goAction] : '');
    go.disabled = goAction === '' || !mayPress(goAction);
    // A button that has just come is not dimmed like a dead one for its moment of grace.
    go.classList.toggle('arming', goAction !== '' && Date.now() < (armedAt[goAction] || 0));

    const calling = actions.indexOf('heads') >= 0 || actions.indexOf('tails') >= 0;
    $('call').hidden = !calling;
    $('heads').disabled = !mayPress('heads');
    $('tails').disabled = !mayPress('tails');

    let hint = '';
    if (view && (section === 'view-host' || section === 'view-quiz') && !goAction && !calling) {
      if (section === 'view-quiz') {
        const turn = isSeat(view.turn) ? view.turn : 0;
        const answering = ['a', 'b', 'c'].some((l) => actions.indexOf(l) >= 0);
        if (answering) hint = 'Tap your answer!';
        else if (turn === seat) hint = 'Get ready...';
        else hint = nameOf(turn) + ' is playing. Your buttons wait for your turn.';
      } else if (view.screen === 'introduction') {
        hint = 'The host is introducing you. Watch the big screen!';
      } else {
        hint = 'Watch the big screen.';
      }
    }
    setText($('hint'), hint);
    $('hint').hidden = hint === '';
  }

  if (!RUN) {
    mode = 'joining';
    setText($('message-title'), 'Zandoodle');
    setText($('message-text'), 'This page only works from the address the game shows.');
    return;
  }
  render();
  connect();
}());
