#pragma once
// The registration body of the sample operator, as an outline
// (support/document_checks.h).

namespace voske::support {

// What the sample's worksheets say, written as the regulator reads it.
// Phones and postal codes lose their punctuation, areas are sorted by state
// and code, each state once, faxes after telephones.
inline constexpr const char* kSampleBody = R"(oxr:medicinaGrupo
  oxr:cadastro
    oxr:nomeFantasia = Serra Azul Saúde
    oxr:enderecoMatriz
      oxr:logradouro = Avenida Paulista
      oxr:numLogradouro = 1842
      oxr:complemento = Conjunto 155
      oxr:bairro = Bela Vista
      oxr:municipioIBGE = 355030
      oxr:siglaUF = SP
      oxr:cep = 01310200
    oxr:telefone
      oxr:codigoDDI = 55
      oxr:codigoDDD = 11
      oxr:numeroTel = 32514000
      oxr:ramal = 210
    oxr:telefone
      oxr:codigoDDI = 55
      oxr:codigoDDD = 19
      oxr:numeroTel = 32348800
      oxr:ramal =
    oxr:fax
      oxr:codigoDDI = 55
      oxr:codigoDDD = 11
      oxr:numeroTel = 32514099
      oxr:ramal =
    oxr:eMail = regulatorio@serraazulsaude.com.br
    oxr:enderecoCorresp
      oxr:logradouro = Rua Barão de Jaguara
      oxr:numLogradouro = 1481
      oxr:complemento = Sala 72
      oxr:bairro = Centro
      oxr:municipioIBGE = 350950
      oxr:siglaUF = SP
      oxr:cep = 13015910
  oxr:enquadramento
    oxr:segmentacao = SPP
    oxr:UF
      oxr:siglaUF = MG
      oxr:listaMunicipios
        oxr:municipioIBGE = 310620
    oxr:UF
      oxr:siglaUF = RJ
      oxr:todosMunicipios = S
    oxr:UF
      oxr:siglaUF = SP
      oxr:listaMunicipios
        oxr:municipioIBGE = 350950
        oxr:municipioIBGE = 351880
        oxr:municipioIBGE = 354850
        oxr:municipioIBGE = 355030
  oxr:dadosBasicos
    oxr:respContabilidade
      oxr:identifResp
        oxr:CPF = 21534876928
      oxr:nome = Paulo Henrique Nogueira
      oxr:numRegistro = 1SP245678/O-3
    oxr:respAtuaria
      oxr:identifResp
        oxr:CPF = 26849173537
      oxr:nome = Juliana Castro Mendes
      oxr:numRegistro = MIBA 2157
    oxr:respAuditoria
      oxr:identifResp
        oxr:CNPJ = 07415926000197
      oxr:nome = Moreira & Associados Auditores Independentes
      oxr:numRegistro = 2SP031245/O-8
  oxr:administradores
    oxr:administrador
      oxr:CPF = 28461593782
      oxr:nome = Helena Duarte Figueiredo
      oxr:nomeMae = Maria Aparecida Duarte
      oxr:cargoFuncao = 1
      oxr:dataIniMandato = 2022-04-01
      oxr:dataFimMandato = 2026-03-31
    oxr:administrador
      oxr:CPF = 31942758600
      oxr:nome = Ricardo Almeida Tavares
      oxr:nomeMae = Sônia Regina Almeida
      oxr:cargoFuncao = 2
      oxr:dataIniMandato = 2022-04-01
      oxr:dataFimMandato = 2026-03-31
    oxr:administrador
      oxr:CPF = 40215687353
      oxr:nome = Fernanda Lopes Carvalho
      oxr:nomeMae = Célia Maria Lopes
      oxr:cargoFuncao = 7
      oxr:dataIniMandato = 2023-08-15
    oxr:respTecnico
      oxr:CPF = 19368245746
      oxr:tipoConsRegional = M
      oxr:numConsRegional = 98765/SP
    oxr:respTecnico
      oxr:CPF = 23681759464
      oxr:tipoConsRegional = D
      oxr:numConsRegional = 45321/SP
  oxr:representante
    oxr:CPF = 28461593782
    oxr:nome = Helena Duarte Figueiredo
    oxr:enderecoRepresentante
      oxr:logradouro = Rua Haddock Lobo
      oxr:numLogradouro = 595
      oxr:complemento = Apto 81
      oxr:bairro = Cerqueira César
      oxr:municipioIBGE = 355030
      oxr:siglaUF = SP
      oxr:cep = 01414001
    oxr:telefone
      oxr:codigoDDI = 55
      oxr:codigoDDD = 11
      oxr:numeroTel = 998123344
      oxr:ramal =
    oxr:telefone
      oxr:codigoDDI = 55
      oxr:codigoDDD = 11
      oxr:numeroTel = 32514000
      oxr:ramal = 201
    oxr:eMail = helena.figueiredo@serraazulsaude.com.br
  oxr:represRN117
    oxr:CPF = 35790241832
    oxr:nome = Marcos Vinícius Prado
    oxr:enderecoRepresentante
      oxr:logradouro = Rua Barão de Jaguara
      oxr:numLogradouro = 1481
      oxr:complemento = Sala 72
      oxr:bairro = Centro
      oxr:municipioIBGE = 350950
      oxr:siglaUF = SP
      oxr:cep = 13015910
    oxr:telefone
      oxr:codigoDDI = 55
      oxr:codigoDDD = 19
      oxr:numeroTel = 32348800
      oxr:ramal = 15
    oxr:fax
      oxr:codigoDDI = 55
      oxr:codigoDDD = 19
      oxr:numeroTel = 32348801
      oxr:ramal =
    oxr:eMail = marcos.prado@serraazulsaude.com.br
    oxr:numeroRG = 32.415.876-2
    oxr:dataExpedicao = 2015-05-12
    oxr:orgaoExpedidor = SSP/SP
    oxr:dataValidade = 2030-05-12
    oxr:pais = 1
    oxr:cargo = 3
  oxr:acionQuotistas
    oxr:totalmentePulverizado = N
    oxr:totalAcoesQuotas = 1500000.0
    oxr:acionistaQuotista
      oxr:acionistaPJ
        oxr:razaoSocial = Serra Azul Participações S.A.
        oxr:CNPJ = 31902648000187
        oxr:qtdAcoesQuotas = 900000.0
    oxr:acionistaQuotista
      oxr:acionistaPF
        oxr:nome = Helena Duarte Figueiredo
        oxr:CPF = 28461593782
        oxr:qtdAcoesQuotas = 300000.0
    oxr:acionistaQuotista
      oxr:acionistaPF
        oxr:nome = Ricardo Almeida Tavares
        oxr:CPF = 31942758600
        oxr:qtdAcoesQuotas = 150000.0
    oxr:acionistaQuotista
      oxr:acionistaPJ
        oxr:razaoSocial = Fundo Vale Verde de Investimento em Participações
        oxr:CNPJ = 18337205000122
        oxr:qtdAcoesQuotas = 150000.0
  oxr:controlColigadas
    oxr:empresa
      oxr:CNPJ = 42118570000120
      oxr:razaoSocial = Clínica Serra Azul Diagnósticos Ltda.
      oxr:tipoVinculo = CTRL
      oxr:classificacaoEmpresa = PREST
      oxr:qtdeAcoesQuotas = 980000
      oxr:totalAcoesQuotas = 1000000
    oxr:empresa
      oxr:CNPJ = 29764031000109
      oxr:razaoSocial = Hospital Vale do Sol S.A.
      oxr:tipoVinculo = COLIG
      oxr:classificacaoEmpresa = PREST
      oxr:qtdeAcoesQuotas = 2400000
      oxr:totalAcoesQuotas = 8000000
  oxr:dependencias
    oxr:empresaDependente
      oxr:tipo = Filial
      oxr:razaoSocial = Serra Azul Assistência Médica Ltda. - Filial Campinas
      oxr:CNPJ = 24681357000221
      oxr:enderecoDependente
        oxr:logradouro = Avenida Norte-Sul
        oxr:numLogradouro = 1200
        oxr:complemento = Loja 3
        oxr:bairro = Cambuí
        oxr:municipioIBGE = 350950
        oxr:siglaUF = SP
        oxr:cep = 13025320
      oxr:telefone
        oxr:codigoDDI = 55
        oxr:codigoDDD = 19
        oxr:numeroTel = 32551200
        oxr:ramal =
      oxr:fax
        oxr:codigoDDI = 55
        oxr:codigoDDD = 19
        oxr:numeroTel = 32551299
        oxr:ramal =
      oxr:eMail = campinas@serraazulsaude.com.br
    oxr:empresaDependente
      oxr:tipo = Filial
      oxr:razaoSocial = Serra Azul Assistência Médica Ltda. - Filial Santos
      oxr:CNPJ = 24681357000302
      oxr:enderecoDependente
        oxr:logradouro = Avenida Ana Costa
        oxr:numLogradouro = 259
        oxr:complemento =
        oxr:bairro = Gonzaga
        oxr:municipioIBGE = 354850
        oxr:siglaUF = SP
        oxr:cep = 11060001
      oxr:telefone
        oxr:codigoDDI = 55
        oxr:codigoDDD = 13
        oxr:numeroTel = 32847700
        oxr:ramal =
      oxr:telefone
        oxr:codigoDDI = 55
        oxr:codigoDDD = 13
        oxr:numeroTel = 32847701
        oxr:ramal = 12
    oxr:empresaDependente
      oxr:tipo = Outra
      oxr:razaoSocial = Serra Azul Assistência Médica Ltda. - Posto Guarulhos
      oxr:CNPJ = 24681357000493
      oxr:enderecoDependente
        oxr:logradouro = Rua Sete de Setembro
        oxr:numLogradouro = 88
        oxr:complemento =
        oxr:bairro = Centro
        oxr:municipioIBGE = 351880
        oxr:siglaUF = SP
        oxr:cep = 07011020
      oxr:telefone
        oxr:codigoDDI = 55
        oxr:codigoDDD = 11
        oxr:numeroTel = 24083300
        oxr:ramal =
      oxr:eMail = guarulhos@serraazulsaude.com.br
)";

}  // namespace voske::support
