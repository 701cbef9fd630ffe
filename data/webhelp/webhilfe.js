// The web help's behaviour: tabs, the contents tree with the keyboard, the index filter, the
// full-text search (lunr, built here from the search data) and the address parameters
// ?ctx=ID, ?page=NAME#anchor and ?q=WORDS. Runs from file:// and asks for nothing outside
// its folder.
(function () {
  "use strict";
  var TEXTS = { noHits: "Keine Treffer.", preparing: "Suche wird vorbereitet \u2026" };
  var EXCERPT = 70; // characters on each side of the first match
  var SLICE_MS = 30; // the longest the index build holds the page at a time
  // Words are runs of letters and digits; this splits text and queries alike.
  var LETTERS = "0-9A-Za-z\u00C0-\u024F\u0370-\u03FF\u0400-\u04FF_";
  var WORD = "[" + LETTERS + "]+";
  var SEPARATOR = new RegExp("[^" + LETTERS + "]+");

  var pane = document.getElementById("seite");
  var tabs = Array.prototype.slice.call(document.querySelectorAll("#reiter [role=tab]"));
  var tree = document.getElementById("inhalt");
  var filter = document.getElementById("filter");
  var keywords = document.getElementById("index");
  var field = document.getElementById("suche");
  var results = document.getElementById("ergebnisse");
  var data = window.qmSuchdaten || [];
  var contextIds = window.qmKontext || {};
  var searchIndex = null;

  // A page name from the address may only name a file in or below this folder.
  function safePage(name) {
    return name && !/^[a-z][a-z0-9+.-]*:/i.test(name) && name.charAt(0) !== "/" &&
      name.indexOf("..") < 0 ? name : null;
  }

  function remember(param, value) {
    try {
      history.replaceState(null, "", "?" + param + "=" + encodeURIComponent(value));
    } catch (e) { /* some browsers refuse this for file:// pages */ }
  }

  function open(href) {
    pane.setAttribute("src", href);
  }

  function showTab(name, focus) {
    tabs.forEach(function (tab) {
      var on = tab.id === "reiter-" + name;
      tab.setAttribute("aria-selected", on ? "true" : "false");
      tab.tabIndex = on ? 0 : -1;
      document.getElementById(tab.getAttribute("aria-controls")).hidden = !on;
      if (on && focus) { tab.focus(); }
    });
  }
  tabs.forEach(function (tab, i) {
    tab.addEventListener("click", function () { showTab(tab.id.slice(7), false); });
    tab.addEventListener("keydown", function (e) {
      var step = e.key === "ArrowRight" ? 1 : e.key === "ArrowLeft" ? -1 : 0;
      if (step) {
        showTab(tabs[(i + step + tabs.length) % tabs.length].id.slice(7), true);
        e.preventDefault();
      }
    });
  });

  // Links of the left pane open in the page pane and become the address.
  document.getElementById("navigation").addEventListener("click", function (e) {
    var link = e.target.closest("a[target=seite]");
    if (link) { remember("page", link.getAttribute("href")); }
  });

  // The tree: one item of it in the tab order; arrows move, Right/Left open and close
  // folders, Enter opens a page or a folder.
  function visibleItems() {
    return Array.prototype.filter.call(tree.querySelectorAll("span, a"), function (el) {
      return el.offsetParent !== null;
    });
  }
  function focusItem(el) {
    visibleItems().forEach(function (other) { other.tabIndex = -1; });
    el.tabIndex = 0;
    el.focus();
  }
  function toggle(folder, open) {
    folder.setAttribute("aria-expanded", open ? "true" : "false");
  }
  var firstItem = tree.querySelector("span, a");
  if (firstItem) { firstItem.tabIndex = 0; }
  tree.addEventListener("click", function (e) {
    if (e.target.tagName === "SPAN") {
      var folder = e.target.parentNode;
      toggle(folder, folder.getAttribute("aria-expanded") !== "true");
      focusItem(e.target);
    }
  });
  tree.addEventListener("keydown", function (e) {
    var items = visibleItems();
    var i = items.indexOf(document.activeElement);
    if (i < 0) { return; }
    var el = items[i];
    var folder = el.tagName === "SPAN" ? el.parentNode : null;
    if (e.key === "ArrowDown" && i + 1 < items.length) {
      focusItem(items[i + 1]);
    } else if (e.key === "ArrowUp" && i > 0) {
      focusItem(items[i - 1]);
    } else if (e.key === "Home") {
      focusItem(items[0]);
    } else if (e.key === "End") {
      focusItem(items[items.length - 1]);
    } else if (e.key === "ArrowRight" && folder) {
      toggle(folder, true);
    } else if (e.key === "ArrowLeft") {
      if (folder && folder.getAttribute("aria-expanded") === "true") {
        toggle(folder, false);
      } else if (!folder) {
        focusItem(el.closest("ul[role=group]").parentNode.firstElementChild);
      }
    } else if (e.key === "Enter" && folder) {
      toggle(folder, folder.getAttribute("aria-expanded") !== "true");
    } else {
      return;
    }
    e.preventDefault();
  });

  // The index: the filter keeps the keywords that start with what is typed.
  filter.addEventListener("input", function () {
    var typed = filter.value.trim().toLowerCase();
    Array.prototype.forEach.call(keywords.children, function (item) {
      var word = item.firstElementChild.textContent.toLowerCase();
      item.hidden = typed !== "" && word.lastIndexOf(typed, 0) !== 0;
    });
  });
  filter.addEventListener("keydown", function (e) {
    if (e.key === "Enter") {
      var first = keywords.querySelector("li:not([hidden]) a");
      if (first) { open(first.getAttribute("href")); remember("page", first.getAttribute("href")); }
    }
  });

  // The search: words, each of them required, lower case, without stemming or stop words
  // (an empty pipeline), so that German words stay as written. A typed word finds the words
  // that begin with it; pages that hold more of the typed words as written come first.
  // The index is built in slices once the page has loaded, so that the page stays responsive;
  // a query made before it is ready waits for it.
  function words(text) {
    return text.toLowerCase().split(SEPARATOR).filter(function (w) { return w !== ""; });
  }
  var builder = null;
  var nextPage = 0;
  var pendingQuery = null;
  function buildSlice() {
    var until = Date.now() + SLICE_MS;
    while (nextPage < data.length && Date.now() < until) {
      builder.add({ n: String(nextPage), t: data[nextPage][1], x: data[nextPage][2] });
      nextPage++;
    }
    if (nextPage < data.length) {
      setTimeout(buildSlice, 0);
      return;
    }
    searchIndex = builder.build();
    builder = null;
    if (pendingQuery !== null) {
      var text = pendingQuery;
      pendingQuery = null;
      search(text);
    }
  }
  function startIndex() {
    lunr.tokenizer.separator = SEPARATOR;
    // A builder of its own has empty pipelines; word positions are not kept (the excerpt
    // finds its word itself), which halves the time to build.
    builder = new lunr.Builder();
    builder.ref("n");
    builder.field("t", { boost: 5 });
    builder.field("x");
    setTimeout(buildSlice, 0);
  }
  function excerpt(text, hit) {
    var from = Math.max(0, hit[0] - EXCERPT);
    var to = Math.min(text.length, hit[0] + hit[1] + EXCERPT);
    var span = document.createElement("div");
    span.className = "auszug";
    var mark = document.createElement("mark");
    mark.textContent = text.slice(hit[0], hit[0] + hit[1]);
    span.appendChild(document.createTextNode((from > 0 ? "\u2026" : "") + text.slice(from, hit[0])));
    span.appendChild(mark);
    span.appendChild(document.createTextNode(text.slice(hit[0] + hit[1], to) + (to < text.length ? "\u2026" : "")));
    return span;
  }
  // The word of the page text to mark, as [start, length]: the first typed word as written
  // if the text holds one, else the first word the match found in it; null when the match
  // lies in the title alone. The scan ends at a word the index knows to be there.
  function firstHit(text, match, terms) {
    var metadata = match.matchData.metadata;
    var inText = Object.keys(metadata).filter(function (term) { return metadata[term].x; });
    var exact = inText.filter(function (term) { return terms.indexOf(term) >= 0; });
    var wanted = Object.create(null);
    (exact.length ? exact : inText).forEach(function (term) { wanted[term] = true; });
    var word = new RegExp(WORD, "g");
    for (var m = word.exec(text); m && inText.length; m = word.exec(text)) {
      if (wanted[m[0].toLowerCase()]) { return [m.index, m[0].length]; }
    }
    return null;
  }
  function exactWords(match, terms) {
    return terms.filter(function (term) {
      return Object.prototype.hasOwnProperty.call(match.matchData.metadata, term);
    }).length;
  }
  function showLine(text) {
    var line = document.createElement("li");
    line.textContent = text;
    results.appendChild(line);
  }
  function search(text) {
    results.textContent = "";
    var terms = words(text);
    if (!terms.length || typeof lunr === "undefined") { return; }
    if (!searchIndex) {
      pendingQuery = text;
      showLine(TEXTS.preparing);
      return;
    }
    var found = searchIndex.query(function (q) {
      terms.forEach(function (term) {
        q.term(term, {
          presence: lunr.Query.presence.REQUIRED,
          wildcard: lunr.Query.wildcard.TRAILING
        });
      });
    });
    if (!found.length) {
      showLine(TEXTS.noHits);
      return;
    }
    // Stable: lunr's order (by score) among pages with as many exact words.
    found.forEach(function (match, i) { match.exact = exactWords(match, terms); match.rank = i; });
    found.sort(function (a, b) { return b.exact - a.exact || a.rank - b.rank; });
    found.forEach(function (match) {
      var page = data[Number(match.ref)];
      var item = document.createElement("li");
      var link = document.createElement("a");
      link.href = page[0];
      link.target = "seite";
      link.textContent = page[1] || page[0];
      item.appendChild(link);
      var hit = firstHit(page[2], match, terms);
      if (hit) { item.appendChild(excerpt(page[2], hit)); }
      results.appendChild(item);
    });
  }
  field.addEventListener("keydown", function (e) {
    if (e.key === "Enter") {
      search(field.value);
      remember("q", field.value);
      e.preventDefault();
    }
  });

  // The address: ?ctx= opens the page of a context id, ?page= a page, ?q= the search.
  var params = new URLSearchParams(location.search);
  var page = safePage(params.get("page"));
  var ctx = params.get("ctx");
  var query = params.get("q");
  if (typeof lunr !== "undefined") { startIndex(); }
  if (ctx !== null && Object.prototype.hasOwnProperty.call(contextIds, ctx)) {
    open(contextIds[ctx]);
  } else if (page) {
    open(page + location.hash);
  }
  if (query) {
    showTab("suche", false);
    field.value = query;
    search(query);
  } else {
    showTab("inhalt", false);
  }
})();
