// A table from rows of texts, the first row its header and the first cell of
// each row its caption: what the core's table rows hold.
export function fillTable(box, rows) {
  const table = document.createElement('table');
  const [header, ...body] = rows;
  const head = table.createTHead().insertRow();
  for (const cell of header) {
    const th = document.createElement('th');
    th.textContent = cell;
    head.append(th);
  }
  const tbody = table.createTBody();
  for (const row of body) {
    const tr = tbody.insertRow();
    row.forEach((cell, i) => {
      const element = document.createElement(i === 0 ? 'th' : 'td');
      if (i === 0) element.scope = 'row';
      element.textContent = cell;
      tr.append(element);
    });
  }
  box.replaceChildren(table);
}

// A radio group of buttons (class "segmented"): calls onChange(value) when
// the choice changes and returns a function that reads it.
export function segmented(group, onChange) {
  const buttons = [...group.querySelectorAll('[role=radio]')];
  group.addEventListener('click', (event) => {
    const chosen = event.target.closest('[role=radio]');
    if (!chosen || chosen.getAttribute('aria-checked') === 'true') return;
    for (const button of buttons) button.setAttribute('aria-checked', String(button === chosen));
    onChange(chosen.dataset.value);
  });
  return () => group.querySelector('[aria-checked=true]').dataset.value;
}
