// The slideshow's behaviour in the browser: keys, the entry on screen, full
// screen, the state of automatic stepping, and the entrance of pictures.
//
// Every page of the package loads this one file and says what it is by the
// data-role of its script tag:
//   frameset  index.html: full screen and the width of the navigation frame;
//             it passes the other frames' messages on.
//   contents  left.html: the list and the stepping buttons, built around the
//             stepping script that generation writes into the frame.
//   page      our own pages in frame "main" (photo pages, the start page,
//             help): their keys go to the navigation frame, and they say
//             when they are shown.
//
// A package opened from a file: address gives every page its own origin, so
// no frame can reach into another; they only talk by postMessage. Served
// over HTTP the frameset also sees the address of every page that the main
// frame shows from the package's own server.
(function () {
  'use strict';

  var script = document.currentScript;
  var role = script ? script.getAttribute('data-role') : null;

  // Messages carry this tag so that a page's own messages pass us by.
  var TAG = 'ambrel-slideshow';

  function send(target, message) {
    if (!target || target === window) return;
    message.tag = TAG;
    target.postMessage(message, '*');
  }

  // Pages from a file: address have an opaque origin, which a message
  // reports as "null"; a live page from the web never does.
  function fromPackage(event) {
    if (!event.data || event.data.tag !== TAG) return false;
    if (event.origin === location.origin) return true;
    return location.protocol === 'file:' && event.origin === 'null';
  }

  function typingIn(target) {
    if (!target || !target.tagName) return false;
    if (target.isContentEditable) return true;
    var tag = target.tagName.toLowerCase();
    if (tag === 'textarea' || tag === 'select') return true;
    if (tag !== 'input') return false;
    return !/^(button|submit|reset|checkbox|radio|image|color|file|range)$/i.test(target.type);
  }

  var STEP_KEYS = {
    ArrowRight: 'next', ArrowDown: 'next', PageDown: 'next',
    ArrowLeft: 'back', ArrowUp: 'back', PageUp: 'back', Backspace: 'back',
    Home: 'first', End: 'last', Escape: 'leave',
  };
  var LETTER_KEYS = { f: 'fullscreen', p: 'pause', l: 'list' };

  // The command a key press asks for, or null.
  function commandOf(event) {
    if (event.defaultPrevented || event.ctrlKey || event.altKey || event.metaKey) return null;
    if (typingIn(event.target)) return null;
    var key = event.key;
    if (key === ' ') {
      // A focused button takes Space itself; on a link it turns the page.
      var tag = event.target.tagName ? event.target.tagName.toLowerCase() : '';
      if (tag === 'button' || tag === 'summary') return null;
      return event.shiftKey ? 'back' : 'next';
    }
    if (STEP_KEYS[key]) return STEP_KEYS[key];
    if (event.repeat || event.shiftKey || typeof key !== 'string' || key.length !== 1) return null;
    return LETTER_KEYS[key.toLowerCase()] || null;
  }

  function onKeys(run) {
    document.addEventListener('keydown', function (event) {
      var command = commandOf(event);
      if (command && run(command) !== false) event.preventDefault();
    });
  }

  // ---- index.html -------------------------------------------------------

  function frameset() {
    var hidden = false;
    var wideColumns = null;

    function setElement() { return document.querySelector('frameset'); }

    function state() {
      return {
        kind: 'screen',
        fullscreen: !!document.fullscreenElement,
        fullscreenEnabled: !!document.fullscreenEnabled,
        listHidden: hidden,
      };
    }

    function tellContents() { send(window.frames[0], state()); }

    // The navigation frame keeps a narrow strip for its handle, so that it
    // can always be brought back, whatever the main frame shows.
    function hideList(hide) {
      var set = setElement();
      if (!set || hide === hidden) return;
      if (wideColumns === null) wideColumns = set.getAttribute('cols');
      set.setAttribute('cols', hide ? '20,*' : wideColumns);
      hidden = hide;
      tellContents();
    }

    function fullscreen(on) {
      if (on === !!document.fullscreenElement || !document.fullscreenEnabled) return;
      var done = on ? document.documentElement.requestFullscreen() : document.exitFullscreen();
      // Refused without a user's gesture; the state sent back says so.
      if (done && done.catch) done.catch(tellContents);
    }

    // Screen commands are done here, stepping by the navigation frame.
    function run(command, from) {
      if (command === 'fullscreen') fullscreen(!document.fullscreenElement);
      else if (command === 'leave') fullscreen(false);
      else if (command === 'list') hideList(!hidden);
      else if (command === 'show-list') hideList(false);
      else if (from !== window.frames[0]) send(window.frames[0], { kind: 'command', command: command });
    }

    window.addEventListener('message', function (event) {
      if (!fromPackage(event)) return;
      var contents = window.frames[0], main = window.frames[1];
      if (event.source !== contents && event.source !== main) return;
      var message = event.data;
      if (message.kind === 'hello') tellContents();
      else if (message.kind === 'shown') send(contents, message);
      else if (message.kind === 'command') run(message.command, event.source);
    });

    // Keys pressed before either frame has the focus, as right after the
    // presentation opens.
    onKeys(function (command) {
      run(command, window);
      return command !== 'leave';
    });

    document.addEventListener('fullscreenchange', function () {
      // Out of full screen the list comes back, so nobody is left without it.
      if (!document.fullscreenElement && hidden) hideList(false);
      tellContents();
    });

    // Every page the main frame shows; its address is readable only when it
    // comes from the package's own origin.
    document.addEventListener('load', function (event) {
      if (!event.target || event.target.name !== 'main') return;
      var address = null;
      try {
        address = window.frames[1].location.href;
      } catch (e) {
        return;
      }
      send(window.frames[0], { kind: 'shown', address: address });
    }, true);
  }

  // ---- our pages in frame main ------------------------------------------

  function page() {
    enterPicture();
    if (window.parent === window) return;
    onKeys(function (command) {
      send(window.parent, { kind: 'command', command: command });
      // Escape keeps its own meaning on the page as well.
      return command !== 'leave';
    });
    window.addEventListener('pageshow', function () {
      send(window.parent, { kind: 'shown', address: location.href });
    });
  }

  // The transition tag written into a photo page is an old browser's; its
  // choice is played here with the page's style sheet.
  function transitionOf(tag) {
    if (!tag) return null;
    var content = tag.getAttribute('content') || '';
    if (/blendTrans/i.test(content)) return 'fade';
    var number = /Transition\s*=\s*(\d+)/i.exec(content);
    if (!number) return 'fade';
    return { 0: 'box', 6: 'wipe', 12: 'dissolve' }[number[1]] || 'fade';
  }

  function enterPicture() {
    var picture = document.querySelector('img.photo');
    var transition = transitionOf(document.querySelector('meta[http-equiv="Page-Enter" i]'));
    if (!picture || !transition) return;
    var root = document.documentElement;
    root.setAttribute('data-transition', transition);
    var entered = false;
    function enter() {
      if (entered) return;
      entered = true;
      root.classList.add('entering');
      var still = window.matchMedia && window.matchMedia('(prefers-reduced-motion: reduce)').matches;
      var dissolve = document.getElementById('dissolve-start');
      if (transition === 'dissolve' && dissolve && dissolve.beginElement && !still) dissolve.beginElement();
    }
    if (picture.complete) enter();
    picture.addEventListener('load', enter);
    picture.addEventListener('error', enter);
  }

  // ---- left.html --------------------------------------------------------

  var SVG = 'http://www.w3.org/2000/svg';
  var ICONS = {
    back: 'M15 5l-7 7 7 7',
    next: 'M9 5l7 7-7 7',
    play: 'M8 5v14l11-7z',
    pause: 'M7 5h3.5v14H7zM13.5 5H17v14h-3.5z',
    fullscreen: 'M4 9V4h5M15 4h5v5M20 15v5h-5M9 20H4v-5',
    leave: 'M9 4v5H4M20 9h-5V4M15 20v-5h5M4 15h5v5',
    hide: 'M14 6l-6 6 6 6M19 6v12',
    show: 'M9 5l7 7-7 7',
  };

  function icon(name) {
    var svg = document.createElementNS(SVG, 'svg');
    svg.setAttribute('viewBox', '0 0 24 24');
    svg.setAttribute('aria-hidden', 'true');
    svg.setAttribute('focusable', 'false');
    svg.setAttribute('class', 'icon icon-' + name);
    var path = document.createElementNS(SVG, 'path');
    path.setAttribute('d', ICONS[name]);
    svg.appendChild(path);
    return svg;
  }

  function element(tag, className, text) {
    var node = document.createElement(tag);
    if (className) node.className = className;
    if (text) node.textContent = text;
    return node;
  }

  // A button with an icon and its name; the name shows beside the icon or
  // only to screen readers, and the tooltip names the key.
  function button(className, label, iconName, key, showLabel) {
    var node = element('button', 'button ' + className);
    node.type = 'button';
    var text = element('span', showLabel ? 'label' : 'label quiet', label);
    node.appendChild(icon(iconName));
    if (className === 'next') node.insertBefore(text, node.firstChild);
    else node.appendChild(text);
    node.setAttribute('aria-keyshortcuts', key);
    node.title = label + ' (' + key + ')';
    return node;
  }

  function relabel(node, label, iconName) {
    node.querySelector('.label').textContent = label;
    node.title = label + ' (' + node.getAttribute('aria-keyshortcuts') + ')';
    node.replaceChild(icon(iconName), node.querySelector('svg'));
  }

  function contents() {
    var w = window;
    var box = document.querySelector('.contents') || document.body;
    var count = Array.isArray(w.address) ? Math.max(w.address.length - 1, 0) : 0;
    var automated = typeof w.startanimation === 'function' && typeof w.stopanimation === 'function';
    var links = [];        // links[k]: the link of entry k
    var playing = false;
    var interval = automated ? intervalOf(w.animate) : NaN;

    // The interval that the generated stepping waits, from its own text.
    function intervalOf(animate) {
      var match = /setTimeout\(\s*["']animate\(\)["']\s*,\s*([^)]*)\)/.exec(String(animate));
      var value = match ? Number(match[1]) : NaN;
      return value >= 0 ? value : NaN;
    }

    // -- the list of entries, rebuilt from the generated lines --
    function buildList() {
      var nav = element('nav', 'entries');
      nav.setAttribute('aria-label', 'Pages');
      var items = box.querySelectorAll('span.header, a[onclick]');
      var list = null, first = null, last = null, groups = 0;
      function containerOf(node) {
        while (node.parentNode && node.parentNode !== box) node = node.parentNode;
        return node.parentNode === box ? node : null;
      }
      for (var n = 0; n < items.length; ++n) {
        var item = items[n];
        var number = /GoTo\((\d+)\)/.exec(item.getAttribute('onclick') || '');
        var isHeading = item.tagName.toLowerCase() === 'span';
        if (n === 0 && isHeading) {
          item.setAttribute('role', 'heading');
          item.setAttribute('aria-level', '1');
          continue; // the presentation's title
        }
        // Markup inside a title is the title's, not a heading or an entry.
        if (isHeading ? item.closest('a') : !number) continue;
        var top = containerOf(item);
        if (top) {
          if (!first) first = top;
          last = top;
        }
        if (isHeading) {
          var heading = element('h2', 'header');
          heading.id = 'group-' + (++groups);
          while (item.firstChild) heading.appendChild(item.firstChild);
          nav.appendChild(heading);
          list = null;
          continue;
        }
        var k = Number(number[1]);
        if (links[k]) {
          // The title line after a thumbnail line: one link holds both.
          var title = element('span', 'title');
          while (item.firstChild) title.appendChild(item.firstChild);
          links[k].appendChild(title);
          continue;
        }
        if (!list) {
          list = element('ul');
          if (groups && nav.lastChild && nav.lastChild.tagName.toLowerCase() === 'h2')
            list.setAttribute('aria-labelledby', nav.lastChild.id);
          nav.appendChild(list);
        }
        var entry = element('li');
        list.appendChild(entry);
        entry.appendChild(item);
        if (item.querySelector('img')) item.classList.add('with-picture');
        else {
          var onlyTitle = element('span', 'title');
          while (item.firstChild) onlyTitle.appendChild(item.firstChild);
          item.appendChild(onlyTitle);
        }
        links[k] = item;
      }
      // The lines the entries came from, with their spacing, go.
      if (first) {
        box.insertBefore(nav, first);
        var node = first;
        while (node) {
          var following = node.nextSibling;
          box.removeChild(node);
          if (node === last) break;
          node = following;
        }
        // Line breaks left behind the last entry.
        while (nav.nextSibling && (nav.nextSibling.nodeType === 3 || nav.nextSibling.nodeName === 'BR') &&
               !/\S/.test(nav.nextSibling.textContent))
          box.removeChild(nav.nextSibling);
      }
      return nav;
    }

    // -- the stepping buttons --
    var bar = element('div', 'toolbar');
    bar.setAttribute('role', 'group');
    bar.setAttribute('aria-label', 'Slideshow');
    var steps = element('div', 'steps');
    var back = button('back', 'Back', 'back', 'ArrowLeft', true);
    var next = button('next', 'Next', 'next', 'ArrowRight', true);
    var position = element('span', 'position');
    position.setAttribute('aria-live', 'polite');
    position.setAttribute('aria-atomic', 'true');
    steps.appendChild(back);
    steps.appendChild(position);
    steps.appendChild(next);
    bar.appendChild(steps);
    var controls = element('div', 'controls');
    var play = null, status = null, progress = null;
    if (automated) {
      play = button('play', 'Pause', 'pause', 'P', true);
      controls.appendChild(play);
    }
    // The first button of the row carries its name in words.
    var screen = button('fullscreen', 'Full screen', 'fullscreen', 'F', !automated);
    var hide = button('hide', 'Hide list', 'hide', 'L');
    controls.appendChild(screen);
    controls.appendChild(hide);
    bar.appendChild(controls);
    if (automated) {
      status = element('div', 'status');
      bar.appendChild(status);
      progress = element('div', 'progress');
      progress.setAttribute('aria-hidden', 'true');
      progress.appendChild(element('span'));
      bar.appendChild(progress);
    }
    var handle = button('handle', 'Show list', 'show', 'L');

    var oldSteps = box.querySelector('a[href="javaScript:Next()" i]');
    var oldStepsLine = oldSteps ? oldSteps.parentNode : null;
    if (oldStepsLine && oldStepsLine !== box) box.replaceChild(bar, oldStepsLine);
    else box.insertBefore(bar, box.firstChild);
    var oldAutomation = box.querySelectorAll(
      'img[src="btn_animation.gif" i], a[href="javaScript:startanimation()" i], a[href="javaScript:stopanimation()" i]');
    for (var a = 0; a < oldAutomation.length; ++a) oldAutomation[a].parentNode.removeChild(oldAutomation[a]);
    var nav = buildList();
    if (!nav.parentNode) bar.parentNode.insertBefore(nav, bar.nextSibling);
    document.body.insertBefore(handle, document.body.firstChild);

    // Help and viewers: words instead of small pictures without names.
    var helpLinks = box.querySelectorAll('a[href="help.html"]');
    for (var h = 0; h < helpLinks.length; ++h) {
      var picture = helpLinks[h].querySelector('img');
      if (!picture) continue;
      var word = /viewers/i.test(picture.getAttribute('src')) ? 'Viewers' : 'Help';
      helpLinks[h].replaceChild(document.createTextNode(word), picture);
      helpLinks[h].className = 'text-button';
    }
    var helpLine = helpLinks.length ? helpLinks[0].parentNode : null;
    if (helpLine && helpLine !== box) helpLine.classList.add('help');

    // -- where you are --
    function showEntry(k, scroll) {
      var shown = k >= 1 && k <= count ? k : 0;
      for (var n = 1; n <= count; ++n) {
        if (!links[n]) continue;
        if (n === shown) links[n].setAttribute('aria-current', 'page');
        else links[n].removeAttribute('aria-current');
      }
      position.textContent = (shown || '\u2013') + ' / ' + count;
      if (shown && links[shown] && scroll !== false) links[shown].scrollIntoView({ block: 'nearest' });
    }

    function current() { return Number(w.i); }

    // The entry whose address the main frame shows, or 0.
    function entryAt(address) {
      var bare = String(address).split('#')[0];
      var found = 0;
      for (var k = 1; k <= count; ++k) {
        var target;
        try {
          target = new URL(w.address[k], location.href).href;
        } catch (e) {
          continue;
        }
        if (target !== address && target.split('#')[0] !== bare) continue;
        if (k === current()) return k;
        if (!found) found = k;
      }
      return found;
    }

    // -- automatic stepping --
    function restartProgress() {
      if (!progress) return;
      var line = progress.firstChild;
      var fresh = element('span');
      if (interval >= 0) fresh.style.animationDuration = interval + 'ms';
      progress.replaceChild(fresh, line);
    }

    function setPlaying(on) {
      playing = on;
      if (!automated) return;
      document.body.classList.toggle('playing', on);
      document.body.classList.toggle('paused', !on);
      relabel(play, on ? 'Pause' : 'Play', on ? 'pause' : 'play');
      var every = interval >= 0 ? ' \u00b7 ' + Math.round(interval / 100) / 10 + ' s a page' : '';
      status.textContent = (on ? 'Playing' : 'Paused') + every;
      if (on) restartProgress();
    }

    // Waits a whole interval again, after a step made by hand.
    function rewind() {
      if (!playing || !(interval >= 0)) return;
      clearTimeout(w.timeout_id);
      w.timeout_id = setTimeout(function () { w.animate(); }, interval);
      restartProgress();
    }

    function togglePlay() {
      if (!automated || !count) return;
      if (playing) return w.stopanimation();
      if (!(interval >= 0)) return w.startanimation();
      // Go on from the entry on screen after a whole interval.
      w.haltanimation = 0;
      setPlaying(true);
      rewind();
    }

    // -- the generated stepping, watched --
    function watch(name, after, needsEntries) {
      var original = w[name];
      if (typeof original !== 'function') return;
      w[name] = function () {
        // Without entries there is nothing to step to.
        if (needsEntries && !count) return undefined;
        var result = original.apply(this, arguments);
        after();
        return result;
      };
    }
    function stepped() {
      showEntry(current());
      rewind();
    }
    watch('Next', stepped, true);
    watch('Back', stepped, true);
    watch('Reset', stepped, true);
    watch('GoTo', function () { showEntry(current()); }, false);
    if (automated) {
      watch('animate', function () {
        showEntry(current());
        setPlaying(!Number(w.haltanimation));
      }, true);
      watch('startanimation', function () {}, true); // only guarded
      watch('stopanimation', function () { setPlaying(false); }, false);
    }

    function goTo(k) {
      if (!count) return;
      w.i = k;
      w.parent.frames[1].location.href = w.address[k];
      stepped();
    }

    function screenCommand(command) { send(w.parent, { kind: 'command', command: command }); }

    function run(command) {
      switch (command) {
      case 'next': w.Next(); break;
      case 'back': w.Back(); break;
      case 'first': goTo(1); break;
      case 'last': goTo(count); break;
      case 'pause':
        if (!automated) return false;
        togglePlay();
        break;
      case 'leave':
        if (!document.body.classList.contains('fullscreen')) return false;
        screenCommand(command);
        break;
      default: screenCommand(command);
      }
      return true;
    }

    back.addEventListener('click', function () { run('back'); });
    next.addEventListener('click', function () { run('next'); });
    if (play) play.addEventListener('click', togglePlay);
    screen.addEventListener('click', function () { run('fullscreen'); });
    hide.addEventListener('click', function () { run('list'); });
    handle.addEventListener('click', function () { screenCommand('show-list'); });
    back.disabled = next.disabled = !count;
    position.hidden = !count;
    onKeys(run);

    window.addEventListener('message', function (event) {
      if (!fromPackage(event) || event.source !== w.parent) return;
      var message = event.data;
      if (message.kind === 'command') run(message.command);
      else if (message.kind === 'shown') {
        var k = entryAt(message.address);
        if (k && k !== current()) w.i = k;
        showEntry(k);
      } else if (message.kind === 'screen') {
        var wasHidden = document.body.classList.contains('list-hidden');
        document.body.classList.toggle('fullscreen', !!message.fullscreen);
        document.body.classList.toggle('list-hidden', !!message.listHidden);
        screen.hidden = !message.fullscreenEnabled;
        relabel(screen, message.fullscreen ? 'Leave full screen' : 'Full screen',
                message.fullscreen ? 'leave' : 'fullscreen');
        screen.setAttribute('aria-pressed', message.fullscreen ? 'true' : 'false');
        // Keep the keyboard's place when the list folds away or comes back.
        var focused = document.activeElement;
        if (message.listHidden && !wasHidden && focused === hide) handle.focus();
        if (!message.listHidden && wasHidden && focused === handle) hide.focus();
      }
    });

    setPlaying(false);
    if (automated) status.textContent = '';
    showEntry(Math.max(current(), 1), false);
    send(w.parent, { kind: 'hello' });
  }

  if (role === 'frameset') frameset();
  else if (role === 'contents') contents();
  else page();
})();
